#include "upgrade_clock.h"

#include <thread>

namespace orvane {
namespace {

class SystemUpgradeClock final : public UpgradeClock {
 public:
  TimePoint now() override { return std::chrono::steady_clock::now(); }
  void sleepFor(std::chrono::milliseconds duration) override {
    if (duration.count() > 0) std::this_thread::sleep_for(duration);
  }
};

}  // namespace

UpgradeClock& systemUpgradeClock() {
  static SystemUpgradeClock clock;
  return clock;
}

}  // namespace orvane
