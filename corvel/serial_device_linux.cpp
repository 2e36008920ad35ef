// termios implementation of the serial device: opening, line settings,
// modem lines, queue state. Reads and writes live in serial_io_linux.cpp.
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "corvel/port_registry.h"
#include "corvel/serial_device.h"
#include "corvel/termios_settings_linux.h"

namespace corvel::device {
namespace {

int lastError() { return errno != 0 ? errno : EIO; }

// Pseudo-terminals and some adapters have no modem lines; setting them there
// is not a set-up failure, as a Windows driver without them ignores them too.
bool noModemLines(int error) { return error == ENOTTY || error == EINVAL; }

int validDescriptor(int fd) { return fd >= 0 && ::fcntl(fd, F_GETFD) != -1 ? 0 : EBADF; }

std::optional<FileIdentity> identityOf(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

int setModemLine(int fd, int line, bool raised) {
  if (::ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &line) == 0) return 0;
  const int error = lastError();
  return noModemLines(error) ? 0 : error;
}

// RTS raised only while sending: the driver does it where it supports the
// RS-485 mode; elsewhere the writes raise and lower it by hand.
bool driverTogglesRts(int fd, bool toggle) {
  serial_rs485 rs485{};
  if (::ioctl(fd, TIOCGRS485, &rs485) != 0) return false;
  const bool enabled = (rs485.flags & SER_RS485_ENABLED) != 0;
  if (!toggle) {
    if (enabled) {
      rs485.flags &= ~static_cast<__u32>(SER_RS485_ENABLED);
      ::ioctl(fd, TIOCSRS485, &rs485);
    }
    return false;
  }
  rs485.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
  rs485.flags &= ~static_cast<__u32>(SER_RS485_RTS_AFTER_SEND);
  return ::ioctl(fd, TIOCSRS485, &rs485) == 0;
}

int applyModemLines(int fd, const LineSettings& s) {
  if (int error = setModemLine(fd, TIOCM_DTR, s.dtrControl == kDtrEnable)) return error;
  const bool toggle = s.rtsControl == kRtsToggle;
  const bool byDriver = driverTogglesRts(fd, toggle);
  PortRegistry::instance().update(fd, [&](PortState& p) { p.rtsToggleByHand = toggle && !byDriver; });
  if (s.rtsControl == kRtsHandshake || byDriver) return 0;
  return setModemLine(fd, TIOCM_RTS, s.rtsControl == kRtsEnable);
}

}  // namespace

int openPort(const std::string& path, int& fd) {
  fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return lastError();
  const auto identity = identityOf(fd);
  // Exclusive like a Windows COM handle: TIOCEXCL keeps other openers out,
  // the lock also the ones with privileges that TIOCEXCL lets through.
  if (!identity || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = lastError();
    ::close(fd);
    fd = -1;
    return error;
  }
  ::ioctl(fd, TIOCEXCL);
  PortRegistry::instance().add(fd, *identity);
  return 0;
}

bool isOwnPort(int fd) {
  if (fd < 0) return false;
  const auto port = PortRegistry::instance().find(fd);
  return port && identityOf(fd) == port->file;
}

void closePort(int fd) {
  PortRegistry::instance().forget(fd);
  ::ioctl(fd, TIOCNXCL);
  ::close(fd);
}

int setQueueSizes(int fd, std::size_t, std::size_t) {
  // Linux drivers size their own queues; only the handle is checked.
  return validDescriptor(fd);
}

int getTimeouts(int fd, CommTimeouts& timeouts) {
  if (int error = validDescriptor(fd)) return error;
  timeouts = PortRegistry::instance().get(fd).timeouts;
  return 0;
}

int setTimeouts(int fd, const CommTimeouts& timeouts) {
  if (int error = validDescriptor(fd)) return error;
  PortRegistry::instance().update(fd, [&](PortState& p) { p.timeouts = timeouts; });
  return 0;
}

int applyLineSettings(int fd, const LineSettings& s) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return lastError();
  if (int error = toTermios(s, tio)) return error;
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) return lastError();
  return applyModemLines(fd, s);
}

int queryStatus(int fd, LineStatus& status) {
  int input = 0, output = 0;
  if (::ioctl(fd, TIOCINQ, &input) != 0 || ::ioctl(fd, TIOCOUTQ, &output) != 0) return lastError();
  status.inputQueued = input > 0 ? static_cast<std::size_t>(input) : 0;
  status.outputQueued = output > 0 ? static_cast<std::size_t>(output) : 0;
  status.lineError = false;
  serial_icounter_struct icount{};
  if (::ioctl(fd, TIOCGICOUNT, &icount) != 0) return 0;  // a driver without counters reports none
  const LineErrorCounters now{static_cast<std::uint64_t>(icount.frame),
                              static_cast<std::uint64_t>(icount.overrun),
                              static_cast<std::uint64_t>(icount.parity),
                              static_cast<std::uint64_t>(icount.buf_overrun)};
  PortRegistry::instance().update(fd, [&](PortState& p) {
    status.lineError = p.haveCounters && !(p.counters == now);
    p.counters = now;
    p.haveCounters = true;
  });
  return 0;
}

int purge(int fd, bool input, bool output) {
  if (!input && !output) return 0;
  const int which = input && output ? TCIOFLUSH : (input ? TCIFLUSH : TCOFLUSH);
  return ::tcflush(fd, which) == 0 ? 0 : lastError();
}

int setRts(int fd, bool raised) {
  int line = TIOCM_RTS;
  return ::ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &line) == 0 ? 0 : lastError();
}

}  // namespace corvel::device
