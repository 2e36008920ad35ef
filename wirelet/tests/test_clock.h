#pragma once
// A clock for Tethra that runs at half of its stated waits in real time,
// so that a live simulator keeps up, and that can be switched to pass no
// real time at all once the simulator has nothing more to say.
#include <atomic>
#include <chrono>
#include <thread>

#include "wirelet/tethra/tethra_clock.h"

namespace wirelet_test {

class TestClock {
 public:
  TestClock() { TethraSetClock(&record_); }
  ~TestClock() { TethraSetClock(nullptr); }
  TestClock(const TestClock&) = delete;
  TestClock& operator=(const TestClock&) = delete;

  void fastForward() { realTime_ = false; }
  unsigned long long now() const { return now_; }

 private:
  static unsigned long long nowOf(void* self) { return static_cast<TestClock*>(self)->now_; }
  static void sleepOn(void* self, unsigned ms) {
    auto* clock = static_cast<TestClock*>(self);
    clock->now_ += ms;
    if (clock->realTime_) std::this_thread::sleep_for(std::chrono::microseconds(ms * 500));
    else std::this_thread::yield();
  }

  std::atomic<unsigned long long> now_{0};
  std::atomic<bool> realTime_{true};
  TethraClock record_{this, &TestClock::nowOf, &TestClock::sleepOn};
};

}  // namespace wirelet_test
