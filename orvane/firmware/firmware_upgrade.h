#pragma once
// The firmware upgrade of the module list's "升级固件..." command: the start
// on the user-interface thread (checks, question, file choice) and the
// upgrade itself as background operation 12 on the view's worker: image
// check, confirmation, boot loader, erase, download, verification, restart,
// the wait for the module and a fresh scan. Results reach the user as
// message boxes through the view's Prompt and progress values through
// UpgradeProgress; front ends without boxes read outcome().
//
// The image is read once, by the image check, and the download sends those
// very bytes: a file that changes after the check is never sent half old,
// half new.
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "orvane/firmware/boot_loader_requests.h"
#include "orvane/firmware/firmware_image.h"
#include "orvane/firmware/upgrade_clock.h"
#include "orvane/firmware/upgrade_progress.h"
#include "orvane/protocol/orvane_view_core.h"

namespace orvane {

// A module with this address can never be upgraded.
inline constexpr MacAddress kUnupgradableMac{0x0A, 0x41, 0x5F, 0x00, 0x00, 0x01};

struct UpgradeTiming {
  BootLoaderTimeouts requests;
  // Each attempt of the two polling phases: its reply time-out and the least
  // time it takes.
  std::chrono::milliseconds pollPeriod{kReplyTimeoutMs};
};

enum class UpgradeResult {
  None,       // nothing ran, or the module vanished from the table
  Refused,    // a start check said no (invalid MAC, manual reset)
  Cancelled,  // the user said no to a question or to the file choice
  Failed,     // an error box was shown
  Succeeded,
};

struct UpgradeOutcome {
  UpgradeResult result = UpgradeResult::None;
  std::string text;  // the box shown last, if any
};

class FirmwareUpgrade {
 public:
  // Registers background operation 12 on the network route of `view`. UI
  // thread, before the view's first start.
  explicit FirmwareUpgrade(OrvaneViewCore& view, UpgradeTiming timing = {},
                           UpgradeClock& clock = systemUpgradeClock());
  // Waits for a running upgrade and takes operation 12 back from the view.
  ~FirmwareUpgrade();
  FirmwareUpgrade(const FirmwareUpgrade&) = delete;
  FirmwareUpgrade& operator=(const FirmwareUpgrade&) = delete;

  struct StartOptions {
    // A front end that names the image itself (orvane-cli's FILE) skips the
    // file choice.
    std::optional<std::filesystem::path> file;
    // Handles queued GUI calls while an earlier worker is awaited.
    std::function<void()> pump;
  };

  // The command handler, UI thread. `row` is the first selected list row, -1
  // when none. True when the upgrade was started: the caller then shows the
  // progress dialog, which asks progress().latest() when it opens.
  bool start(int row, const StartOptions& options);
  bool start(int row) { return start(row, StartOptions{}); }

  // The upgrade, on the worker (background operation 12). `index` is the
  // module's index in the table. Every way out reports progress 100.
  void run(int index);

  UpgradeProgress& progress() { return progress_; }
  std::filesystem::path firmwarePath() const;
  UpgradeOutcome outcome() const;

 private:
  std::optional<std::filesystem::path> chooseFirmwarePath();
  bool enterBootLoader(const ModuleRecord& module, FirmwareKind kind);
  bool download(const ModuleRecord& module, const FirmwareImage& image);
  bool restartAndWait(const ModuleRecord& module, FirmwareKind kind);
  bool poll(const std::function<bool(int timeoutMs)>& attempt);
  bool fail(std::string text);
  void refuse(UpgradeResult result, std::string_view text, std::string_view caption,
              MessageIcon icon);
  void setOutcome(UpgradeResult result, std::string text);

  OrvaneViewCore& view_;
  UpgradeTiming timing_;
  UpgradeClock& clock_;
  BootLoaderRequests requests_;
  UpgradeProgress progress_;
  mutable std::mutex mutex_;
  std::filesystem::path firmwarePath_;    // guarded by mutex_; the path of the current upgrade
  std::optional<MacAddress> startedFor_;  // guarded by mutex_; the module the start checked
  UpgradeOutcome outcome_;                // guarded by mutex_
};

}  // namespace orvane
