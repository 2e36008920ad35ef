#pragma once
// The progress reports of one upgrade (UWM_PROGRESS): each goes to the UI
// port and is also kept, so that a progress dialog created after the worker
// has started asks latest() when it opens and closes at once when the run
// has already ended. Without that, a run that fails before the dialog's
// window exists (an image that fails its check) would leave a modal dialog
// open for good.
#include <atomic>

#include "orvane/protocol/ui_port.h"

namespace orvane {

inline constexpr int kProgressDone = 100;

class UpgradeProgress {
 public:
  explicit UpgradeProgress(UiPort& ui) : ui_(ui) {}

  // A new run: latest() is 0 until the first report. UI thread, before the
  // worker starts.
  void begin() { latest_ = 0; }
  // Worker: keeps the value first, then reports it, so that a dialog that
  // opens in between sees it either way.
  void report(int percent);
  int latest() const { return latest_; }
  bool done() const { return latest_ >= kProgressDone; }

 private:
  UiPort& ui_;
  std::atomic<int> latest_{kProgressDone};  // no run yet: nothing to wait for
};

}  // namespace orvane
