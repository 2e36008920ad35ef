// Reads and writes with the Windows time-out semantics on a non-blocking
// descriptor: poll() waits for the rest of the total or interval time-out.
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <optional>
#include <thread>

#include "corvel/port_registry.h"
#include "corvel/serial_device.h"

namespace corvel::device {
namespace {

using Clock = std::chrono::steady_clock;

std::atomic<RtsSetter> toggleRts{&setRts};
using Deadline = std::optional<Clock::time_point>;

Deadline deadlineAfter(std::optional<std::uint64_t> ms) {
  if (!ms) return std::nullopt;
  // Clamp far-away limits (sign-extended 16-bit values reach 2^32 ms) to a year.
  constexpr std::uint64_t kYearMs = 365ull * 24 * 3600 * 1000;
  return Clock::now() + std::chrono::milliseconds(std::min(*ms, kYearMs));
}

// Milliseconds for poll(): -1 without a deadline, else the rest (at least 0);
// never more than capMs when that is not negative.
int pollBudget(const Deadline& deadline, std::int64_t capMs = -1) {
  std::int64_t ms = -1;
  if (deadline) {
    const auto rest = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
    ms = std::max<std::int64_t>(rest, 0);
  }
  if (capMs >= 0 && (ms < 0 || ms > capMs)) ms = capMs;
  return static_cast<int>(std::min<std::int64_t>(ms, INT_MAX));
}

// 1 ready, 0 timed out, else -errno.
int waitFor(int fd, short events, int budgetMs) {
  pollfd pfd{fd, events, 0};
  for (;;) {
    const int r = ::poll(&pfd, 1, budgetMs);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -errno;
    if (r == 0) return 0;
    if (pfd.revents & (POLLERR | POLLNVAL)) return -((pfd.revents & POLLNVAL) ? EBADF : EIO);
    if ((pfd.revents & events) == 0) return -EIO;  // hang-up with nothing left to read
    return 1;
  }
}

// One read of what is queued; false with error set on a failure.
bool readQueued(int fd, std::uint8_t* buffer, std::size_t count, Transfer& t) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer + t.count, count - t.count);
    if (got > 0) t.count += static_cast<std::size_t>(got);
    if (got >= 0 || errno == EAGAIN) return true;
    if (errno == EINTR) continue;
    t.error = errno;
    return false;
  }
}

// Waits until the driver has sent everything, then lowers RTS: the by-hand
// half of "RTS raised only while sending".
void lowerRtsAfterSending(int fd, const Deadline& deadline) {
  for (int queued = 1; queued > 0;) {
    if (::ioctl(fd, TIOCOUTQ, &queued) != 0) {
      ::tcdrain(fd);
      break;
    }
    if (queued == 0 || (deadline && Clock::now() >= *deadline)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  toggleRts.load()(fd, false);
}

}  // namespace

Transfer readBytes(int fd, std::uint8_t* buffer, std::size_t count) {
  Transfer t;
  if (fd < 0) t.error = EBADF;
  if (fd < 0 || count == 0) return t;
  const ReadPlan plan = planRead(PortRegistry::instance().get(fd).timeouts, count);
  if (plan.returnBufferedOnly) {
    readQueued(fd, buffer, count, t);
    return t;
  }
  const Deadline deadline = deadlineAfter(plan.total);
  while (t.count < count) {
    // The interval limit starts with the first byte; it is at most 2^32 - 2 ms.
    const std::int64_t intervalMs =
        t.count > 0 && plan.interval ? static_cast<std::int64_t>(*plan.interval) : -1;
    const int ready = waitFor(fd, POLLIN, pollBudget(deadline, intervalMs));
    if (ready < 0) t.error = -ready;
    if (ready <= 0) break;
    if (!readQueued(fd, buffer, count, t)) break;
    if (plan.returnAfterFirstByte && t.count > 0) break;
  }
  return t;
}

Transfer writeBytes(int fd, const std::uint8_t* bytes, std::size_t count) {
  Transfer t;
  if (fd < 0) {
    t.error = EBADF;
    return t;
  }
  const bool byHand = PortRegistry::instance().get(fd).rtsToggleByHand;
  const Deadline deadline = deadlineAfter(writeLimit(PortRegistry::instance().get(fd).timeouts, count));
  if (byHand) toggleRts.load()(fd, true);
  while (t.count < count) {
    const ssize_t put = ::write(fd, bytes + t.count, count - t.count);
    if (put > 0) {
      t.count += static_cast<std::size_t>(put);
      continue;
    }
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && errno != EAGAIN) {
      t.error = errno;
      break;
    }
    const int ready = waitFor(fd, POLLOUT, pollBudget(deadline));
    if (ready <= 0) {
      t.error = ready == 0 ? ETIMEDOUT : -ready;
      break;
    }
  }
  if (byHand) lowerRtsAfterSending(fd, deadline);
  return t;
}

RtsSetter replaceToggleRtsSetter(RtsSetter setter) { return toggleRts.exchange(setter); }

}  // namespace corvel::device
