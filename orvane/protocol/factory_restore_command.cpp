// "恢复出厂设置" on the network route: the command on the user-interface
// thread and operation 10 on the worker.
#include "orvane/protocol/compatibility.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/settings_commands.h"
#include "orvane/protocol/settings_requests.h"
#include "orvane/protocol/settings_texts.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

// Unlike the other starters, the restore waits for a running operation to
// end instead of giving up; the wait keeps handling the GUI's queued calls
// (pump_), since that operation may be waiting for one of them.
SettingsOutcome SettingsCommands::factoryRestore(int row) {
  const auto target = selectedModule(row);
  if (!target) return SettingsOutcome::NotRun;
  if (view_.manualResetSet(target->index)) {
    warningBox(texts::kManualReset);
    return SettingsOutcome::ManualReset;
  }
  view_.worker().end(BackgroundOperation::kNoLimit, pump_);
  {
    std::lock_guard lock(restoreMutex_);
    restoreModule_ = target->address();
  }
  return view_.worker().start(kOperationFactoryRestore, row) ? SettingsOutcome::Started
                                                             : SettingsOutcome::NotRun;
}

// Inside the body of every background operation, which ends with "就绪".
SettingsOutcome SettingsCommands::restoreFactory(int index) {
  const auto record = view_.table().record(index);
  if (!record) return SettingsOutcome::NotRun;
  {
    std::lock_guard lock(restoreMutex_);
    if (restoreModule_ && *restoreModule_ != moduleAddress(*record)) return SettingsOutcome::NotRun;
  }
  const int compatibility = view_.checkCompatibility(index);
  if (compatibility != 0) {
    warningBox(compatibilityWarning(compatibility));
    return compatibility > 0 ? SettingsOutcome::ModuleTooOld : SettingsOutcome::ToolTooOld;
  }
  if (record->runMode == kRunModeBootLoader) return SettingsOutcome::BootLoader;
  const auto answer = view_.prompt().messageBox(texts::kRestoreQuestion, texts::kCaptionWarning,
                                                MessageIcon::Warning, MessageButtons::OkCancel);
  if (answer != MessageAnswer::Ok) return SettingsOutcome::Cancelled;
  if (!restoreFactorySettings(view_.link(), moduleAddress(*record))) {
    errorBox(texts::kRestoreFailed);
    return SettingsOutcome::WriteFailed;
  }
  return SettingsOutcome::Done;
}

}  // namespace orvane
