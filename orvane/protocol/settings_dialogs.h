#pragma once
// The edit step of the settings commands: one modal dialog each. The GUI
// implements them with its dialogs, orvane-cli with its options, tests with
// scripts. Each call blocks until the dialog ends and returns true when it
// ended with OK; only then has the argument been changed.
#include <vector>

#include "orvane/protocol/advanced_settings.h"
#include "orvane/protocol/module_record.h"
#include "orvane/protocol/peer_entry.h"

namespace orvane {

class SettingsDialogs {
 public:
  virtual ~SettingsDialogs() = default;

  // CDlgGeneralSet: a settings copy of the module and the route
  // (ProtocolType) as the dialog's mode; on OK the edited copy.
  virtual bool editBasicSettings(ModuleRecord& record, int protocolType) = 0;

  // CDlgAdvancedSet: a copy of the block; on OK the two edited time-outs
  // (the command takes nothing else back).
  virtual bool editAdvancedSettings(AdvancedSettings& settings) = 0;

  // CDlgP2PConfig: the entries read (at most 30); on OK the dialog's entries,
  // their number being the count written.
  virtual bool editPeerTable(std::vector<PeerEntry>& entries) = 0;
};

}  // namespace orvane
