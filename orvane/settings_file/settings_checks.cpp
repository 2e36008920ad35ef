#include "settings_checks.h"

#include "orvane/forms/add_device_form.h"
#include "orvane/forms/advanced_form.h"
#include "orvane/forms/basic_form.h"
#include "orvane/forms/form_texts.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/user_texts.h"

namespace orvane::settings_file {
namespace {

// The basic settings dialog as it would stand after the file's values were
// typed in on the network route: the IP field holds the manual address the
// write sends, whichever addressing the file chooses.
forms::BasicForm basicForm(const ModuleRecord& basic) {
  auto form = forms::openBasicForm(basic, kProtocolTcpIp);
  form.idText = std::to_string(basic.moduleId);
  form.ip = basic.ipAddress;
  return form;
}

// The add-device dialog as the peer dialog opens it on the entry's row. A
// TRAX row shows no port or unit ID (the module keeps whatever it holds
// there, often 0), so its edit starts from the defaults, which pass.
forms::AddDeviceForm entryForm(const PeerEntry& entry) {
  auto shown = entry;
  if (entry.kind == kPeerKindTrax) shown.port = 502, shown.unit = 255;
  return forms::openAddDeviceForm(shown);
}

}  // namespace

SettingsRefusal checkModuleSettings(const ModuleSettings& settings) {
  if (const auto check = forms::checkBasicForm(basicForm(settings.basic)); !check.ok())
    return {Section::Basic, check.message, texts::kCaptionError};
  if (const auto check = forms::checkAdvancedForm(forms::openAdvancedForm(settings.advanced));
      !check.ok())
    return {Section::Advanced, check.message, texts::kCaptionError};
  if (settings.peers.size() > kMaxPeerEntries)
    return {Section::Peers, forms::texts::kTooManyPeers, texts::kCaptionWarning};
  for (std::size_t i = 0; i < settings.peers.size(); ++i) {
    const auto check = forms::checkAddDeviceForm(entryForm(settings.peers[i]));
    if (!check.ok())
      return {Section::Peers, check.message, texts::kCaptionError, static_cast<int>(i + 1)};
  }
  return {};
}

void showRefusal(Prompt& prompt, const SettingsRefusal& refusal) {
  const auto icon = refusal.caption == texts::kCaptionWarning ? MessageIcon::Warning : MessageIcon::Error;
  prompt.messageBox(refusal.message, refusal.caption, icon, MessageButtons::Ok);
}

}  // namespace orvane::settings_file
