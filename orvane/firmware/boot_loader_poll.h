#pragma once
// The two polling phases of the upgrade: after entering the boot loader and
// after the restart, the module is asked up to 201 times, 100 ms each, until
// it answers (about 20 s in all). An attempt that fails before its 100 ms
// are up (a send error rather than a time-out) waits out the rest, so the
// module always gets the whole time to come back.
#include <chrono>
#include <functional>

#include "orvane/firmware/upgrade_clock.h"
#include "orvane/protocol/status_text.h"

namespace orvane {

inline constexpr int kPollAttempts = 201;

// Calls `attempt` until it returns true, at most `attempts` times, each
// attempt taking at least `period`. True when one succeeded.
bool pollModule(const std::function<bool()>& attempt, UpgradeClock& clock,
                std::chrono::milliseconds period, int attempts = kPollAttempts);

// Clears the status display flag for its lifetime, so that the failed
// attempts of a polling phase leave no status text on the screen, and sets it
// again on every way out.
class StatusDisplayPause {
 public:
  explicit StatusDisplayPause(StatusText& status) : status_(status) {
    status_.setDisplayEnabled(false);
  }
  ~StatusDisplayPause() { status_.setDisplayEnabled(true); }
  StatusDisplayPause(const StatusDisplayPause&) = delete;
  StatusDisplayPause& operator=(const StatusDisplayPause&) = delete;

 private:
  StatusText& status_;
};

}  // namespace orvane
