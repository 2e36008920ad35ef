#pragma once
// The settings commands of the module list on the network route: "基本配置...",
// "高级配置...", "点对点配置..." and "恢复出厂设置", step by step as the editor
// runs them. The GUI's command handlers and orvane-cli call them unchanged;
// boxes go through the view's Prompt, the edit step through SettingsDialogs,
// list cells through the view's UiPort.
//
// Threads: the four commands run on the user-interface thread and hold it for
// their whole run (dialogs and the wait before the re-read included). The
// factory restore itself runs on the view's worker as operation 10, which
// the constructor registers for the network route.
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>

#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/settings_dialogs.h"

namespace orvane {

// How a command ended. The GUI has shown everything already; orvane-cli
// turns the outcome into its exit status.
enum class SettingsOutcome {
  NotRun,             // serial route, no selected row, or a row that names no module
  ModuleTooOld,       // the compatibility warning for 1 was shown
  ToolTooOld,         // the compatibility warning for -1 was shown
  ManualReset,        // the manual reset warning was shown
  BootLoader,         // the module runs its boot loader: nothing was done
  ReadFailed,         // its error box was shown
  Cancelled,          // the dialog or the question ended other than with OK
  WriteFailed,        // its error box was shown
  RereadFailed,       // basic settings: the write went out, the re-read failed
  VersionReadFailed,  // basic settings: written and re-read, the version read failed
  Started,            // factory restore: operation 10 was started
  Done,
};

inline constexpr auto kBasicSettleTime = std::chrono::milliseconds(3000);

class SettingsCommands {
 public:
  // The wait between a basic settings write and its re-read.
  using Wait = std::function<void(std::chrono::milliseconds)>;
  // Handles the GUI's queued calls while the factory restore waits for the
  // previous operation without limit (see BackgroundOperation::end); none
  // given: the view core's worker pump.
  using Pump = std::function<void()>;

  // Registers operation 10 of the network route with the view.
  SettingsCommands(OrvaneViewCore& view, SettingsDialogs& dialogs, Wait wait = {}, Pump pump = {});
  // Waits for a running operation and takes operation 10 back from the view,
  // so that no later start finds a callback into a destroyed object.
  ~SettingsCommands();
  SettingsCommands(const SettingsCommands&) = delete;
  SettingsCommands& operator=(const SettingsCommands&) = delete;

  // UI thread. `row` is the selected list row, -1 when none is selected.
  SettingsOutcome basicSettings(int row);
  SettingsOutcome advancedSettings(int row);
  SettingsOutcome peerSettings(int row);
  // Manual reset test, then the previous operation ended without limit and
  // operation 10 started for `row`.
  SettingsOutcome factoryRestore(int row);

  // Operation 10 on the network route (worker thread): `index` is the record
  // found from the stored row. It restores only the module the command
  // found: when the record there is another one (the list was rebuilt in
  // between), it ends without asking.
  SettingsOutcome restoreFactory(int index);
  // How the last operation 10 ended; NotRun before the first.
  SettingsOutcome lastRestoreOutcome() const { return lastRestore_; }

 private:
  struct Target {
    int index = 0;
    MacAddress mac{};
    std::string interfaceName;  // the record's: where requests to the module go
    std::uint8_t runMode = 0;
    ModuleAddress address() const { return {mac, interfaceName}; }
  };
  std::optional<Target> selectedModule(int row) const;
  std::optional<SettingsOutcome> refusal(int index);
  SettingsOutcome basicSteps(int row, ModuleRecord& working);
  SettingsOutcome writeBasic(int row, const Target& target, ModuleRecord& working);
  SettingsOutcome takeVersions(int row, int index, ModuleRecord& working);
  SettingsOutcome advancedSteps(int row);
  SettingsOutcome peerSteps(int row);
  void showWrittenRow(int row, const ModuleRecord& working);
  void errorBox(std::string_view text);
  void warningBox(std::string_view text);
  void ready();

  OrvaneViewCore& view_;
  SettingsDialogs& dialogs_;
  Wait wait_;
  Pump pump_;
  std::atomic<SettingsOutcome> lastRestore_{SettingsOutcome::NotRun};
  std::mutex restoreMutex_;
  std::optional<ModuleAddress> restoreModule_;  // guarded by restoreMutex_: the module operation 10 is for
};

// True for the outcomes after which the command shows a warning and stops.
bool isRefusal(SettingsOutcome outcome);

}  // namespace orvane
