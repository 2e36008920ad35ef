#pragma once
// What a Windows serial driver keeps per open handle and termios does not:
// the time-outs, whether RTS has to be toggled around writes by hand, and the
// line error counters seen at the last status query. One entry per open
// descriptor, dropped when Corvel closes it.
#include <cstdint>
#include <functional>
#include <mutex>
#include <unordered_map>

#include "corvel/comm_timeouts.h"

namespace corvel {

struct LineErrorCounters {
  std::uint64_t frame = 0, overrun = 0, parity = 0, bufferOverrun = 0;
  bool operator==(const LineErrorCounters&) const = default;
};

struct PortState {
  CommTimeouts timeouts;
  bool rtsToggleByHand = false;
  bool haveCounters = false;
  LineErrorCounters counters;
};

class PortRegistry {
 public:
  static PortRegistry& instance();

  // A copy of the state of fd; the default state when fd is unknown (a
  // descriptor the caller opened itself behaves like a port with no time-outs).
  PortState get(int fd);
  void update(int fd, const std::function<void(PortState&)>& change);
  void forget(int fd);

 private:
  std::mutex mutex_;
  std::unordered_map<int, PortState> ports_;  // guarded by mutex_
};

}  // namespace corvel
