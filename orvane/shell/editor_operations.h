#pragma once
// The flows behind the editor's commands, assembled once for the view: the
// settings commands and the factory restore of the network route, the
// firmware upgrade, the serial route through the PLC (bound to the Wirelet
// the application loaded) and the closing sequence. Plain C++: the view
// calls them on the user-interface thread, the worker runs their operations.
//
// Built after the view core and destroyed before it; the destructor ends a
// running operation first, serving the worker's sent calls meanwhile, so
// that no operation outlives the flow it runs.
#include <functional>

#include "orvane/firmware/firmware_upgrade.h"
#include "orvane/protocol/closing_sequence.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/settings_commands.h"
#include "orvane/serial/serial_orders.h"
#include "orvane/serial/serial_route.h"
#include "orvane/settings_file/settings_file_commands.h"

namespace orvane {

class EditorOperations {
 public:
  // `pump` serves the worker's sent calls whenever the user-interface thread
  // waits for the worker (see GuiThreadCalls::pump).
  EditorOperations(OrvaneViewCore& core, SettingsDialogs& dialogs, const WireletExports& wirelet,
                   std::function<void()> pump, UpgradeTiming upgradeTiming = {});
  ~EditorOperations();
  EditorOperations(const EditorOperations&) = delete;
  EditorOperations& operator=(const EditorOperations&) = delete;

  OrvaneViewCore& core() { return core_; }
  SettingsDialogs& dialogs() { return dialogs_; }
  SettingsCommands& settings() { return settings_; }
  settings_file::SettingsFileCommands& settingsFile() { return settingsFile_; }
  FirmwareUpgrade& upgrade() { return upgrade_; }
  SerialRoute& serial() { return serial_; }
  ClosingSequence& closing() { return closing_; }
  const std::function<void()>& pump() const { return pump_; }

 private:
  OrvaneViewCore& core_;
  SettingsDialogs& dialogs_;
  std::function<void()> pump_;
  SerialOrders orders_;
  SerialRoute serial_;
  // The settings commands' dialogs: the editor's own, except while a
  // settings file is saved or loaded through the same commands.
  settings_file::SettingsFileDialogs fileDialogs_;
  SettingsCommands settings_;
  settings_file::SettingsFileCommands settingsFile_;
  FirmwareUpgrade upgrade_;
  ClosingSequence closing_;
};

}  // namespace orvane
