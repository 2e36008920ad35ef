#include "qt_settings_dialogs.h"

#include "dlg_advanced_set.h"
#include "dlg_general_set.h"
#include "dlg_p2p_config.h"

namespace orvane {

bool QtSettingsDialogs::editBasicSettings(ModuleRecord& record, int protocolType) {
  return calls_.send([&] {
    CDlgGeneralSet dialog(record, protocolType, prompt_, parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    record = dialog.record();
    return true;
  });
}

bool QtSettingsDialogs::editAdvancedSettings(AdvancedSettings& settings) {
  return calls_.send([&] {
    CDlgAdvancedSet dialog(settings, prompt_, parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    settings = dialog.settings();
    return true;
  });
}

bool QtSettingsDialogs::editPeerTable(std::vector<PeerEntry>& entries) {
  return calls_.send([&] {
    CDlgP2PConfig dialog(entries, prompt_, parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    entries = dialog.entries();
    return true;
  });
}

}  // namespace orvane
