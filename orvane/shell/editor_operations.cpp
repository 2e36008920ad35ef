#include "editor_operations.h"

#include <thread>

namespace orvane {
namespace {

// The wait between a basic settings write and its re-read runs on the
// user-interface thread; it keeps serving the worker's sent calls, so that a
// refresh still running cannot block on it for the whole wait.
SettingsCommands::Wait pumpingWait(std::function<void()> pump) {
  return [pump = std::move(pump)](std::chrono::milliseconds duration) {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < deadline) {
      if (pump) pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  };
}

}  // namespace

EditorOperations::EditorOperations(OrvaneViewCore& core, SettingsDialogs& dialogs,
                                   const WireletExports& wirelet, std::function<void()> pump,
                                   UpgradeTiming upgradeTiming)
    : core_(core),
      dialogs_(dialogs),
      pump_(std::move(pump)),
      orders_(wirelet),
      serial_(core, orders_),
      fileDialogs_(&dialogs),
      settings_(core, fileDialogs_, pumpingWait(pump_), pump_),
      settingsFile_(settings_, fileDialogs_, core.prompt()),
      upgrade_(core, upgradeTiming),
      closing_(core.prompt(), core.flags()) {
  serial_.install();
}

// The operations registered on the view go with the flows that run them.
EditorOperations::~EditorOperations() {
  core_.worker().end(BackgroundOperation::kNoLimit, pump_);
  for (const int code : {kOperationScan, kOperationRefresh, kOperationFactoryRestore})
    core_.setOperationHandler(code, kProtocolSerial, {});
}

}  // namespace orvane
