// "点对点配置..." on the network route: read the peer table, edit it, write it
// back. The module table does not change, and the module is not read again
// after the write.
#include "orvane/protocol/settings_commands.h"
#include "orvane/protocol/settings_requests.h"
#include "orvane/protocol/settings_texts.h"

namespace orvane {

SettingsOutcome SettingsCommands::peerSettings(int row) {
  if (view_.protocolType() != kProtocolTcpIp) return SettingsOutcome::NotRun;
  view_.busyIndicatorOn();
  const auto outcome = peerSteps(row);
  if (isRefusal(outcome)) return outcome;
  ready();
  view_.busyIndicatorOff();
  return outcome;
}

SettingsOutcome SettingsCommands::peerSteps(int row) {
  const auto target = selectedModule(row);
  if (!target) return SettingsOutcome::NotRun;
  if (const auto refused = refusal(target->index)) return *refused;
  if (target->runMode == kRunModeBootLoader) return SettingsOutcome::BootLoader;
  std::vector<PeerEntry> entries;
  if (!readPeerTable(view_.link(), target->address(), entries)) {
    errorBox(texts::kReadPeersFailed);
    return SettingsOutcome::ReadFailed;
  }
  ready();
  view_.busyIndicatorOff();
  if (!dialogs_.editPeerTable(entries)) return SettingsOutcome::Cancelled;
  view_.busyIndicatorOn();
  if (!writePeerTable(view_.link(), target->address(), entries)) {
    errorBox(texts::kWritePeersFailed);
    return SettingsOutcome::WriteFailed;
  }
  return SettingsOutcome::Done;
}

}  // namespace orvane
