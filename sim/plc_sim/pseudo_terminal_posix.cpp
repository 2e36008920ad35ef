#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include "sim/plc_sim/pseudo_terminal.h"

namespace plc_sim {
namespace {

bool makeRaw(int fd) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

std::string failure(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PseudoTerminal::~PseudoTerminal() {
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

std::string PseudoTerminal::open() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) return failure("posix_openpt");
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return failure("unlockpt");
  const char* name = ::ptsname(master_);
  if (!name) return failure("ptsname");
  slavePath_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) return failure(name);
  if (!makeRaw(slave_)) return failure("tcsetattr");
  return {};
}

std::vector<std::uint8_t> PseudoTerminal::read() {
  std::uint8_t buffer[4096];
  for (;;) {
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n > 0) return {buffer, buffer + n};
    if (n < 0 && errno == EINTR) continue;
    return {};
  }
}

bool PseudoTerminal::write(std::span<const std::uint8_t> bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::write(master_, bytes.data() + sent, bytes.size() - sent);
    if (n > 0) sent += static_cast<std::size_t>(n);
    else if (n < 0 && errno == EINTR) continue;
    else return false;
  }
  return true;
}

LinePacer::LinePacer(unsigned baud) {
  if (baud > 0) byteTime_ = std::chrono::nanoseconds(10'000'000'000LL / baud);
}

void LinePacer::awaitReceived(std::size_t count) {
  if (byteTime_.count() == 0) return;
  receivedUntil_ = std::max(receivedUntil_, Clock::now()) + byteTime_ * static_cast<long>(count);
  std::this_thread::sleep_until(receivedUntil_);
}

bool LinePacer::send(PseudoTerminal& line, std::span<const std::uint8_t> bytes) {
  if (byteTime_.count() == 0) return line.write(bytes);
  sentUntil_ = std::max(sentUntil_, Clock::now());
  for (const auto b : bytes) {
    std::this_thread::sleep_until(sentUntil_);
    if (!line.write({&b, 1})) return false;
    sentUntil_ += byteTime_;
  }
  return true;
}

}  // namespace plc_sim
