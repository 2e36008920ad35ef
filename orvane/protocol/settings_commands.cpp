// What the settings commands share: the selected module, the two state
// checks with their warnings, the boxes.
#include "orvane/protocol/settings_commands.h"

#include <thread>

#include "orvane/protocol/compatibility.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

SettingsCommands::SettingsCommands(OrvaneViewCore& view, SettingsDialogs& dialogs, Wait wait,
                                   Pump pump)
    : view_(view), dialogs_(dialogs), wait_(std::move(wait)), pump_(std::move(pump)) {
  if (!wait_) wait_ = [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); };
  if (!pump_) pump_ = [&view] {
    if (view.workerPump()) view.workerPump()();
  };
  view_.setOperationHandler(kOperationFactoryRestore, kProtocolTcpIp,
                            [this](int index) { lastRestore_ = restoreFactory(index); });
}

SettingsCommands::~SettingsCommands() {
  view_.endWorker(BackgroundOperation::kNoLimit);
  view_.setOperationHandler(kOperationFactoryRestore, kProtocolTcpIp, {});
}

bool isRefusal(SettingsOutcome outcome) {
  return outcome == SettingsOutcome::ModuleTooOld || outcome == SettingsOutcome::ToolTooOld ||
         outcome == SettingsOutcome::ManualReset;
}

// The row's record is found by the row's key (its MAC text, and the interface
// the module answered on). A row without a key (no such row), or one whose
// module no record holds (the list is older than the table), names no
// module: the checks are never made on another module's record, and nothing
// is sent to a MAC of zeros.
std::optional<SettingsCommands::Target> SettingsCommands::selectedModule(int row) const {
  if (row < 0) return std::nullopt;
  const auto address = parseRowKey(view_.ui().rowMacText(row));
  if (!address) return std::nullopt;
  Target target;
  target.index = view_.table().findByMac(*address);
  const auto record = view_.table().record(target.index);
  if (!record || record->mac != address->mac || target.index >= view_.table().count())
    return std::nullopt;
  if (!address->interfaceName.empty() && record->interfaceName != address->interfaceName)
    return std::nullopt;
  target.mac = record->mac;
  target.interfaceName = record->interfaceName;
  target.runMode = record->runMode;
  return target;
}

// checkCompatibility and the manual reset test: each failure turns the busy
// indicator off and shows its warning; the command then stops.
std::optional<SettingsOutcome> SettingsCommands::refusal(int index) {
  const int compatibility = view_.checkCompatibility(index);
  if (compatibility != 0) {
    view_.busyIndicatorOff();
    warningBox(compatibilityWarning(compatibility));
    return compatibility > 0 ? SettingsOutcome::ModuleTooOld : SettingsOutcome::ToolTooOld;
  }
  if (view_.manualResetSet(index)) {
    view_.busyIndicatorOff();
    warningBox(texts::kManualReset);
    return SettingsOutcome::ManualReset;
  }
  return std::nullopt;
}

void SettingsCommands::errorBox(std::string_view text) {
  view_.prompt().messageBox(text, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
}

void SettingsCommands::warningBox(std::string_view text) {
  view_.prompt().messageBox(text, texts::kCaptionWarning, MessageIcon::Warning,
                            MessageButtons::Ok);
}

void SettingsCommands::ready() { view_.status().set(texts::kReady); }

}  // namespace orvane
