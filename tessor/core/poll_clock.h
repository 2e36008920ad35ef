#pragma once
// Time as the polling worker sees it: a millisecond tick count and a sleep.
// Tests hand in a fake whose sleep only advances the tick count.
#include <cstdint>

namespace tessor {

class PollClock {
 public:
  virtual ~PollClock() = default;
  virtual std::uint64_t tickMs() = 0;
  virtual void sleepMs(int ms) = 0;
};

PollClock& systemPollClock();

}  // namespace tessor
