#pragma once
// The ports this library has opened and not closed yet, by descriptor, with
// what a Windows serial driver keeps per open handle and termios does not:
// the time-outs, whether RTS has to be toggled around writes by hand, and the
// line error counters seen at the last status query. A descriptor that is not
// here (0 from a zero-filled record, a number a closed port left behind) is
// somebody else's, and no export acts on it.
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "corvel/comm_timeouts.h"

namespace corvel {

struct LineErrorCounters {
  std::uint64_t frame = 0, overrun = 0, parity = 0, bufferOverrun = 0;
  bool operator==(const LineErrorCounters&) const = default;
};

// Which file a descriptor was when the port was opened: a number closed
// behind the library's back and reused since names another file.
struct FileIdentity {
  std::uint64_t device = 0, inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

struct PortState {
  FileIdentity file;
  CommTimeouts timeouts;
  bool rtsToggleByHand = false;
  bool haveCounters = false;
  LineErrorCounters counters;
};

class PortRegistry {
 public:
  static PortRegistry& instance();

  // A port this library has just opened, with the default state.
  void add(int fd, FileIdentity file);
  // The state of a port this library holds; nothing for any other descriptor.
  std::optional<PortState> find(int fd);
  // A copy of the state of fd; the default state when fd is not held.
  PortState get(int fd);
  // Changes the state of a held port; other descriptors are left alone.
  void update(int fd, const std::function<void(PortState&)>& change);
  void forget(int fd);

 private:
  std::mutex mutex_;
  std::unordered_map<int, PortState> ports_;  // guarded by mutex_
};

}  // namespace corvel
