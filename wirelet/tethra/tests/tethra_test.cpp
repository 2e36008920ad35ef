#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "test_support/temp_dir.h"
#include "wirelet/tethra/tethra.h"
#include "wirelet/tethra/tethra_clock.h"

namespace {

// A clock that moves only when told to, or when slept on.
struct ManualClock {
  unsigned long long now = 1000;
  TethraClock record{this, [](void* c) { return static_cast<ManualClock*>(c)->now; },
                     [](void* c, unsigned ms) { static_cast<ManualClock*>(c)->now += ms; }};
  ManualClock() { TethraSetClock(&record); }
  ~ManualClock() { TethraSetClock(nullptr); }
};

TEST(TethraTimeOut, ExpiresOnTheReplaceableClock) {
  ManualClock clock;
  SetTimeOut(800);
  EXPECT_EQ(GetTimeOut(), 0);
  clock.now += 799;
  EXPECT_EQ(GetTimeOut(), 0);
  clock.now += 1;
  EXPECT_NE(GetTimeOut(), 0);
  // Arming again replaces the deadline: one time-out per process.
  SetTimeOut(65535);
  EXPECT_EQ(GetTimeOut(), 0);
  TethraSleep(65534);
  EXPECT_EQ(GetTimeOut(), 0);
  TethraSleep(1);
  EXPECT_NE(GetTimeOut(), 0);
  SetTimeOut(-5);
  EXPECT_NE(GetTimeOut(), 0);
}

TEST(TethraTimeOut, SystemClockComesBackWhenTheTestClockGoes) {
  { ManualClock clock; }
  SetTimeOut(60000);
  EXPECT_EQ(GetTimeOut(), 0);
  SetTimeOut(0);
  EXPECT_NE(GetTimeOut(), 0);
}

// The master side of a pseudo-terminal whose slave is mapped to COM41.
class Terminal {
 public:
  static constexpr int kPort = 41;
  Terminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
      path_ = ::ptsname(master_);
    ::setenv("TRAX_COM41", path_.c_str(), 1);
  }
  ~Terminal() {
    ::unsetenv("TRAX_COM41");
    if (master_ >= 0) ::close(master_);
  }
  void send(const std::string& bytes) { ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  std::string receive(std::size_t count) {
    std::string got(count, '\0');
    std::size_t n = 0;
    while (n < count) {
      const ssize_t r = ::read(master_, got.data() + n, count - n);
      if (r <= 0) break;
      n += static_cast<std::size_t>(r);
    }
    got.resize(n);
    return got;
  }
  const std::string& path() const { return path_; }

 private:
  int master_ = -1;
  std::string path_;
};

// Bytes on a pseudo-terminal take a moment to cross; wait for them, boundedly.
bool waitForWaiting(int handle, int count) {
  for (int i = 0; i < 1000; ++i) {
    if (ReadComNum(handle) >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

TEST(TethraOpen, AppliesTheLineSettingsOrRefusesThem) {
  Terminal terminal;
  ASSERT_FALSE(terminal.path().empty());
  struct Row {
    int baud, dataBits, stopBits, parity;
    bool opens;
    speed_t speed;
  };
  const Row rows[] = {
      {9600, 8, 1, 0, true, B9600}, {19200, 7, 2, 2, true, B19200}, {300, 5, 0, 1, true, B300},
      {12345, 8, 1, 0, false, 0},   {9600, 9, 1, 0, false, 0},      {9600, 4, 1, 0, false, 0},
      {9600, 8, 3, 0, false, 0},    {9600, 8, -1, 0, false, 0},     {9600, 8, 1, 3, false, 0},
  };
  for (const Row& row : rows) {
    const int handle = OpenConnection(0, Terminal::kPort, row.baud, row.dataBits, row.stopBits, row.parity);
    EXPECT_EQ(handle != 0, row.opens) << row.baud << " " << row.dataBits << " " << row.stopBits;
    if (!handle) continue;
    const int fd = ::open(terminal.path().c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    ASSERT_EQ(::tcgetattr(fd, &tio), 0);
    // A pseudo-terminal always carries 8 bits without parity, so only the
    // speed, the stop bits and the parity sense can be seen on it.
    EXPECT_EQ(::cfgetospeed(&tio), row.speed);
    EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, row.stopBits == 2);
    EXPECT_EQ((tio.c_cflag & PARODD) != 0, row.parity == 1);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
    ::close(fd);
    EXPECT_EQ(CloseConnection(handle), 1);
  }
}

TEST(TethraOpen, RefusesPortsWithoutATerminal) {
  test_support::TempDir dir;
  const std::string file = (dir.path() / "not-a-port").string();
  ::close(::open(file.c_str(), O_CREAT | O_WRONLY, 0600));
  ::setenv("TRAX_COM42", file.c_str(), 1);
  EXPECT_EQ(OpenConnection(0, 42, 9600, 8, 1, 0), 0);
  ::setenv("TRAX_COM42", (dir.path() / "missing").c_str(), 1);
  EXPECT_EQ(OpenConnection(0, 42, 9600, 8, 1, 0), 0);
  ::unsetenv("TRAX_COM42");
  EXPECT_EQ(OpenConnection(0, 0, 9600, 8, 1, 0), 0);
  EXPECT_EQ(OpenConnection(0, 500, 9600, 8, 1, 0), 0);
}

TEST(TethraLink, ReadsWithoutBlockingWritesFlushesAndCloses) {
  Terminal terminal;
  const int handle = OpenConnection(0, Terminal::kPort, 9600, 8, 1, 0);
  ASSERT_NE(handle, 0);
  unsigned char buffer[16] = {};
  EXPECT_EQ(ReadComNum(handle), 0);
  EXPECT_EQ(ReadCom(handle, buffer, sizeof buffer), 0);

  terminal.send("ABC");
  ASSERT_TRUE(waitForWaiting(handle, 3));
  EXPECT_EQ(ReadCom(handle, buffer, 2), 2);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 2), "AB");
  EXPECT_EQ(ReadComNum(handle), 1);
  EXPECT_EQ(ReadCom(handle, buffer, sizeof buffer), 1);
  EXPECT_EQ(buffer[0], 'C');

  const unsigned char out[] = {0x4B, 0x21, 0x05, 0x00, 0x0A};
  EXPECT_EQ(WriteCom(handle, out, sizeof out), 5);
  EXPECT_EQ(terminal.receive(5), std::string("\x4B\x21\x05\x00\x0A", 5));

  terminal.send("junk");
  ASSERT_TRUE(waitForWaiting(handle, 4));
  EXPECT_EQ(FlushCom(handle), 1);
  EXPECT_EQ(ReadComNum(handle), 0);

  const int other = OpenConnection(0, Terminal::kPort, 9600, 8, 1, 0);
  EXPECT_NE(other, 0);
  EXPECT_NE(other, handle);
  EXPECT_EQ(CloseConnection(other), 1);
  EXPECT_EQ(CloseConnection(handle), 1);
  // A closed handle finds nothing.
  EXPECT_EQ(CloseConnection(handle), 0);
  EXPECT_EQ(WriteCom(handle, out, sizeof out), 0);
  EXPECT_EQ(ReadComNum(handle), 0);
  EXPECT_EQ(FlushCom(handle), 0);
}

}  // namespace
