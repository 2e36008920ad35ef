// "高级配置..." on the network route: read the block, edit it, write it back.
// The module table does not change, and the module is not read again after
// the write.
#include "orvane/protocol/settings_commands.h"
#include "orvane/protocol/settings_requests.h"
#include "orvane/protocol/settings_texts.h"

namespace orvane {

SettingsOutcome SettingsCommands::advancedSettings(int row) {
  if (view_.protocolType() != kProtocolTcpIp) return SettingsOutcome::NotRun;
  view_.busyIndicatorOn();
  const auto outcome = advancedSteps(row);
  // The status text stays as the last exchange or the busy indicator left it.
  if (!isRefusal(outcome)) view_.busyIndicatorOff();
  return outcome;
}

SettingsOutcome SettingsCommands::advancedSteps(int row) {
  const auto target = selectedModule(row);
  if (!target) return SettingsOutcome::NotRun;
  if (const auto refused = refusal(target->index)) return *refused;
  AdvancedSettings working;  // zeroed
  working.mac = target->mac;
  if (target->runMode == kRunModeBootLoader) return SettingsOutcome::BootLoader;
  if (!readAdvancedSettings(view_.link(), working, target->interfaceName)) {
    errorBox(texts::kReadAdvancedFailed);
    return SettingsOutcome::ReadFailed;
  }
  view_.busyIndicatorOff();
  auto edited = working;
  if (!dialogs_.editAdvancedSettings(edited)) return SettingsOutcome::Cancelled;
  view_.busyIndicatorOn();
  // Only the two time-outs come back: the reserved values go to the module
  // exactly as it sent them.
  working.masterTimeoutMs = edited.masterTimeoutMs;
  working.slaveTimeoutSec = edited.slaveTimeoutSec;
  if (!writeAdvancedSettings(view_.link(), working, target->interfaceName)) {
    errorBox(texts::kWriteAdvancedFailed);
    return SettingsOutcome::WriteFailed;
  }
  return SettingsOutcome::Done;
}

}  // namespace orvane
