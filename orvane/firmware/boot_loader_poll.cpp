#include "boot_loader_poll.h"

namespace orvane {

bool pollModule(const std::function<bool()>& attempt, UpgradeClock& clock,
                std::chrono::milliseconds period, int attempts) {
  for (int i = 0; i < attempts; ++i) {
    const auto started = clock.now();
    if (attempt()) return true;
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(clock.now() - started);
    if (spent < period) clock.sleepFor(period - spent);
  }
  return false;
}

}  // namespace orvane
