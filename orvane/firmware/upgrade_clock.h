#pragma once
// Time as the firmware upgrade sees it. The polling phases take up to 201
// attempts of 100 ms each (about 20 s); tests put a fake clock here so that
// they count the attempts without waiting for them.
#include <chrono>

namespace orvane {

class UpgradeClock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~UpgradeClock() = default;
  virtual TimePoint now() = 0;
  virtual void sleepFor(std::chrono::milliseconds duration) = 0;
};

// The steady clock and a real sleep.
UpgradeClock& systemUpgradeClock();

}  // namespace orvane
