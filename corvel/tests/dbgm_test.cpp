// LIB_dbgm against a viewer that listens on the viewer's local socket name.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>

#include "corvel/corvel.h"

namespace {

// The abstract socket name is per network namespace: a namespace of the test's
// own keeps a viewer (or another run of this test) elsewhere on the machine out.
bool privateNamespace() {
  static const bool isPrivate = ::unshare(CLONE_NEWNET) == 0 || ::unshare(CLONE_NEWUSER | CLONE_NEWNET) == 0;
  return isPrivate;
}

class Viewer {
 public:
  Viewer() {
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, "VELDRA_32", 9);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + 9);
    for (int attempt = 0; attempt < 50 && fd_ >= 0; ++attempt) {  // another viewer may hold the name briefly
      if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) == 0) {
        listening_ = true;
        break;
      }
      ::usleep(20000);
    }
    timeval limit{2, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  }
  ~Viewer() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool listening() const { return listening_; }

  std::optional<std::string> nextLine() {
    char buffer[1024];
    const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
    if (got < 0) return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(got));
  }

  int pending() {
    char byte;
    int count = 0;
    while (::recv(fd_, &byte, 1, MSG_DONTWAIT) >= 0) ++count;
    return count;
  }

 private:
  int fd_ = -1;
  bool listening_ = false;
};

TEST(CorvelDebugLine, NothingFailsWithoutAViewer) {
  if (!privateNamespace()) GTEST_SKIP() << "no private network namespace: a viewer may be running";
  errno = EDOM;
  LIB_dbgm("no one listens %d", 1);
  EXPECT_EQ(errno, EDOM);
}

TEST(CorvelDebugLine, TheViewerGetsEachLineAsOneDatagram) {
  privateNamespace();
  Viewer viewer;
  ASSERT_TRUE(viewer.listening());
  const std::string longText(300, 'a');
  const std::string gbk = "\xC4\xA3\xBF\xE9";  // GBK bytes go through untouched

  errno = ETIMEDOUT;
  LIB_dbgm("value %d of %s", 42, "COM2");
  EXPECT_EQ(errno, ETIMEDOUT);
  LIB_dbgm("%s", longText.c_str());
  LIB_dbgm(nullptr);
  LIB_dbgm("%s", "");
  LIB_dbgm("%s", gbk.c_str());

  const std::string expected[] = {"ZAVRO>value 42 of COM2", "ZAVRO>" + std::string(249, 'a'), "NULL!!",
                                  "ZAVRO>", "ZAVRO>" + gbk};
  for (const std::string& line : expected) EXPECT_EQ(viewer.nextLine(), line);
  EXPECT_EQ(viewer.pending(), 0);
}

TEST(CorvelDebugLine, AViewerThatStopsReadingNeverBlocksTheCaller) {
  privateNamespace();
  Viewer viewer;
  ASSERT_TRUE(viewer.listening());
  const std::string text(200, 'x');
  for (int i = 0; i < 3000; ++i) LIB_dbgm("%d %s", i, text.c_str());  // more than the socket queue holds
  EXPECT_EQ(viewer.nextLine(), "ZAVRO>0 " + text);
}

}  // namespace
