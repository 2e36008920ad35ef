// The process-wide time-out and the replaceable clock behind it.
#include <atomic>
#include <chrono>
#include <thread>

#include "wirelet/tethra/tethra_clock.h"

namespace {

unsigned long long systemNow(void*) {
  using namespace std::chrono;
  return static_cast<unsigned long long>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void systemSleep(void*, unsigned int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

const TethraClock kSystemClock{nullptr, systemNow, systemSleep};

// Replaced only between transactions; read by whichever thread runs one.
std::atomic<const TethraClock*> currentClock{&kSystemClock};

// The one deadline of the process: SetTimeOut takes no handle.
std::atomic<unsigned long long> deadline{0};

unsigned long long now() {
  const TethraClock* clock = currentClock.load();
  return clock->nowMs(clock->context);
}

}  // namespace

extern "C" {

void TethraSetClock(const TethraClock* clock) {
  currentClock.store(clock && clock->nowMs && clock->sleepMs ? clock : &kSystemClock);
}

void TethraSleep(unsigned int milliseconds) {
  const TethraClock* clock = currentClock.load();
  clock->sleepMs(clock->context, milliseconds);
}

void SetTimeOut(int milliseconds) {
  deadline.store(now() + static_cast<unsigned long long>(milliseconds < 0 ? 0 : milliseconds));
}

int GetTimeOut(void) { return now() >= deadline.load() ? 1 : 0; }

}  // extern "C"
