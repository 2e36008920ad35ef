#pragma once
// A pseudo-terminal for the port tests: the test keeps the master side and
// maps COM<n> to the slave through TRAX_COM<n>, as a user maps a real port.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace corvel_test {

class PtyPair {
 public:
  explicit PtyPair(int comNumber) : var_("TRAX_COM" + std::to_string(comNumber)) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) return;
    slavePath_ = name;
    termios tio{};
    ::tcgetattr(master_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(master_, TCSANOW, &tio);
    ::setenv(var_.c_str(), slavePath_.c_str(), 1);
  }
  ~PtyPair() {
    ::unsetenv(var_.c_str());
    closeMaster();
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool ok() const { return master_ >= 0 && !slavePath_.empty(); }
  const std::string& slavePath() const { return slavePath_; }

  void send(const std::vector<std::uint8_t>& bytes) {
    (void)!::write(master_, bytes.data(), bytes.size());
  }

  // What the port wrote, up to `count` bytes, waiting at most `limitMs` in all.
  std::vector<std::uint8_t> receive(std::size_t count, int limitMs = 2000) {
    std::vector<std::uint8_t> bytes;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (bytes.size() < count) {
      const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now()).count();
      pollfd pfd{master_, POLLIN, 0};
      if (rest <= 0 || ::poll(&pfd, 1, static_cast<int>(rest)) <= 0) break;
      std::uint8_t chunk[256];
      const ssize_t got = ::read(master_, chunk, std::min(sizeof chunk, count - bytes.size()));
      if (got <= 0) break;
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
  }

  void closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  std::string var_;
  int master_ = -1;
  std::string slavePath_;
};

}  // namespace corvel_test
