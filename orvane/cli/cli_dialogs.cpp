#include "cli_dialogs.h"

#include "settings_output.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/forms/advanced_form.h"
#include "orvane/forms/basic_form.h"
#include "orvane/forms/peer_rows.h"

namespace orvane::cli {

std::string fixedIdRefusal(int fixedId) {
  return "模块ID由模块固定为 " + std::to_string(fixedId) + "，不能修改。";
}

void CliDialogs::refuse(std::string_view message) {
  refused_ = true;
  prompt_.messageBox(message, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
}

bool CliDialogs::editBasicSettings(ModuleRecord& record, int protocolType) {
  if (!basic.any()) {
    out_ << (json_ ? basicSettingsJson(record) : basicSettingsText(record));
    return false;
  }
  auto form = forms::openBasicForm(record, protocolType);
  if (basic.id && !form.idEnabled) {
    refuse(fixedIdRefusal(record.fixedId));
    return false;
  }
  // Only the network dialog offers the choice; the serial one shows the
  // addresses in use, which are what its OK writes back.
  if (form.radiosEnabled) {
    if (basic.automatic) forms::chooseAddressing(form, record, true);
    if (basic.manual || basic.ip || basic.mask || basic.gateway)
      forms::chooseAddressing(form, record, false);
  }
  if (basic.id) form.idText = *basic.id;
  if (basic.name) form.name = *basic.name;
  if (basic.description) form.description = *basic.description;
  if (basic.ip) form.ip = *basic.ip;
  if (basic.mask) form.mask = *basic.mask;
  if (basic.gateway) form.gateway = *basic.gateway;
  if (const auto check = forms::checkBasicForm(form); !check.ok()) {
    refuse(check.message);
    return false;
  }
  forms::applyBasicForm(form, record);
  return true;
}

bool CliDialogs::editAdvancedSettings(AdvancedSettings& settings) {
  if (!advanced.any()) {
    out_ << (json_ ? advancedSettingsJson(settings) : advancedSettingsText(settings));
    return false;
  }
  auto form = forms::openAdvancedForm(settings);
  if (advanced.master) form.masterText = *advanced.master;
  if (advanced.slave) form.slaveText = *advanced.slave;
  if (const auto check = forms::checkAdvancedForm(form); !check.ok()) {
    refuse(check.message);
    return false;
  }
  forms::applyAdvancedForm(form, settings);
  return true;
}

// As in the editor: "全部删除", one "添加..." per entry of the file, OK. OK
// reads the rows back onto the entries the dialog was opened with.
bool CliDialogs::editPeerTable(std::vector<PeerEntry>& entries) {
  if (!peers) {
    out_ << (json_ ? peerTableJson(entries) : peerTableText(entries));
    return false;
  }
  std::vector<forms::PeerRow> rows;
  for (const auto& e : *peers) rows.push_back(forms::peerRow(e));
  entries = forms::peerEntriesFromRows(rows, entries);
  return true;
}

}  // namespace orvane::cli
