// The connection calls over POSIX terminals.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "platform/com_map.h"
#include "wirelet/tethra/connection_table.h"
#include "wirelet/tethra/serial_settings.h"
#include "wirelet/tethra/tethra.h"

namespace {

// A write that the device does not take within this long is given up;
// a serial line at 300 baud moves a 1 KiB request in about 35 s.
constexpr int kWriteStallMs = 5000;

std::optional<int> fdOf(int handle) { return tethra::connections().find(handle); }

bool waitWritable(int fd) {
  pollfd p{fd, POLLOUT, 0};
  int rc;
  do rc = ::poll(&p, 1, kWriteStallMs);
  while (rc < 0 && errno == EINTR);
  return rc > 0 && (p.revents & POLLOUT);
}

}  // namespace

extern "C" {

int OpenConnection(int /*reserved*/, int port, int baud, int dataBits, int stopBits, int parity) {
  const auto settings = tethra::makeSerialSettings(baud, dataBits, stopBits, parity);
  const std::string path = platform::comDevicePath(port);
  if (!settings || path.empty()) return 0;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return 0;
  if (!::isatty(fd) || !tethra::applySerialSettings(fd, *settings)) {
    ::close(fd);
    return 0;
  }
  const int handle = tethra::connections().add(fd);
  if (handle == 0) ::close(fd);
  return handle;
}

int CloseConnection(int handle) {
  const auto fd = tethra::connections().remove(handle);
  if (!fd) return 0;
  return ::close(*fd) == 0 ? 1 : 0;
}

// Input only: the EOT that ended the previous transaction may still sit in the
// output queue (or the transmitter) when the next one starts, and the PLC must
// receive it. The driver keeps the order, so it leaves before the enquiry.
int FlushCom(int handle) {
  const auto fd = fdOf(handle);
  return fd && ::tcflush(*fd, TCIFLUSH) == 0 ? 1 : 0;
}

int WriteCom(int handle, const unsigned char* bytes, int count) {
  const auto fd = fdOf(handle);
  if (!fd || !bytes || count <= 0) return 0;
  int sent = 0;
  while (sent < count) {
    const ssize_t n = ::write(*fd, bytes + sent, static_cast<size_t>(count - sent));
    if (n > 0) {
      sent += static_cast<int>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && errno == EAGAIN && waitWritable(*fd)) {
      continue;
    } else {
      break;
    }
  }
  return sent;
}

int ReadComNum(int handle) {
  const auto fd = fdOf(handle);
  int waiting = 0;
  if (!fd || ::ioctl(*fd, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
  return waiting;
}

int ReadCom(int handle, unsigned char* buffer, int count) {
  const auto fd = fdOf(handle);
  if (!fd || !buffer || count <= 0) return 0;
  ssize_t n;
  do n = ::read(*fd, buffer, static_cast<size_t>(count));
  while (n < 0 && errno == EINTR);
  return n > 0 ? static_cast<int>(n) : 0;
}

}  // extern "C"
