#pragma once
// The view's one pending status text, shown in pane 1 of the status bar.
//
// set() runs on either thread: it stores the text and posts
// UWM_STATUS_POSTED. The GUI thread's handler calls onStatusPosted(), which
// posts UWM_SET_STATUS_TEXT while display is enabled; that handler shows
// pending(). A text set before the previous one was shown replaces it.
#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

#include "orvane/protocol/process_flags.h"
#include "orvane/protocol/ui_port.h"

namespace orvane {

class StatusText {
 public:
  StatusText(UiPort& ui, const ProcessFlags& flags) : ui_(ui), flags_(flags) {}

  // Nothing happens once the program is closing.
  void set(std::string_view text);

  // A copy of the pending text, never one half-way through being replaced.
  std::string pending() const;

  // The firmware upgrade turns display off while it polls the boot loader.
  void setDisplayEnabled(bool enabled) { displayEnabled_ = enabled; }
  bool displayEnabled() const { return displayEnabled_; }

  // The UWM_STATUS_POSTED handler (GUI thread).
  void onStatusPosted();

 private:
  UiPort& ui_;
  const ProcessFlags& flags_;
  mutable std::mutex mutex_;
  std::string pending_;  // guarded by mutex_
  std::atomic<bool> displayEnabled_{true};
};

}  // namespace orvane
