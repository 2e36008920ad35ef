// A record whose handle is not a port Corvel holds open (a zero-filled record,
// a stale copy of a closed one) must not reach the descriptor of that number.
// Standard input stands in for the victim: a pseudo-terminal with input waiting.
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <thread>

#include "corvel/corvel.h"
#include "corvel/tests/pty_pair.h"

namespace {

using corvel_test::PtyPair;

// Standard input replaced by the slave side of a pseudo-terminal for one test.
class PtyAsStandardInput {
 public:
  explicit PtyAsStandardInput(const std::string& slavePath) : saved_(::dup(STDIN_FILENO)) {
    // Non-blocking, so that a read that wrongly reaches it fails the test
    // instead of hanging it.
    const int slave = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ok_ = slave >= 0 && ::dup2(slave, STDIN_FILENO) == STDIN_FILENO;
    if (slave >= 0) ::close(slave);
  }
  ~PtyAsStandardInput() {
    if (saved_ < 0) {
      ::close(STDIN_FILENO);
      return;
    }
    ::dup2(saved_, STDIN_FILENO);
    ::close(saved_);
  }
  bool ok() const { return ok_; }

 private:
  int saved_;
  bool ok_ = false;
};

int queuedInput() {
  int n = 0;
  return ::ioctl(STDIN_FILENO, FIONREAD, &n) == 0 ? n : -1;
}

bool sameSettings(const termios& a, const termios& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Operation {
  const char* name;
  std::function<bool(tagPPARAM*)> fails;
};

TEST(CorvelForeignHandle, NoOperationTouchesTheDescriptorOfThatNumber) {
  PtyPair pty(2);
  ASSERT_TRUE(pty.ok());
  PtyAsStandardInput standardInput(pty.slavePath());
  ASSERT_TRUE(standardInput.ok());
  termios before{};
  ASSERT_EQ(::tcgetattr(STDIN_FILENO, &before), 0);
  before.c_cflag |= CSTOPB;  // settings no set-up of Corvel's would leave
  ASSERT_EQ(::cfsetspeed(&before, B2400), 0);
  ASSERT_EQ(::tcsetattr(STDIN_FILENO, TCSANOW, &before), 0);
  ASSERT_EQ(::tcgetattr(STDIN_FILENO, &before), 0);
  pty.send({'i', 'n', '\n'});
  for (int i = 0; i < 200 && queuedInput() < 3; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_EQ(queuedInput(), 3);

  const unsigned char bytes[] = {'o', 'u', 't'};
  unsigned char buffer[8];
  const Operation operations[] = {
      // Reads first: where a read does reach the descriptor, the input is
      // still there to be read, so the fault shows without blocking.
      {"LIB_ReadComm", [&](tagPPARAM* p) { return LIB_ReadComm(p, buffer, 3) == -1; }},
      {"LIB_CommGetc", [](tagPPARAM* p) { return LIB_CommGetc(p, 10) == -1; }},
      {"LIB_CheckNextByte", [](tagPPARAM* p) { return LIB_CheckNextByte(p) == 0xFF; }},
      {"LIB_WriteComm", [&](tagPPARAM* p) { return !LIB_WriteComm(p, bytes, 3); }},
      {"LIB_CommPutc", [](tagPPARAM* p) { return !LIB_CommPutc(p, 'x'); }},
      {"LIB_SetReadTimeOut", [](tagPPARAM* p) { return !LIB_SetReadTimeOut(p, 1, 1); }},
      {"LIB_SetRTS", [](tagPPARAM* p) { return !LIB_SetRTS(p); }},
      {"LIB_ResetRTS", [](tagPPARAM* p) { return !LIB_ResetRTS(p); }},
      {"LIB_CommClear", [](tagPPARAM* p) { return LIB_CommClear(p) == 0; }},
      {"LIB_COMMSetDCB", [](tagPPARAM* p) { return LIB_COMMSetDCB(p) == -1; }},
      {"LIB_COMMOpen", [](tagPPARAM* p) { return LIB_COMMOpen(p) == -1; }},
      {"LIB_COMMClose", [](tagPPARAM* p) { return LIB_COMMClose(p) == -1; }},
  };
  tagPPARAM zeroFilled{};
  tagPPARAM staleCopy{};  // the settings of an open port, handle 0 from a cleared copy
  pparam::setU8(staleCopy, pparam::kPort, 2);
  pparam::setU8(staleCopy, pparam::kBaudCode, 3);
  pparam::setU8(staleCopy, pparam::kDataBits, 8);
  pparam::setU16(staleCopy, pparam::kTimeoutMs, 100);
  for (const tagPPARAM& record : {staleCopy, zeroFilled}) {
    for (const Operation& operation : operations) {
      tagPPARAM r = record;
      EXPECT_TRUE(operation.fails(&r)) << operation.name << " port " << int(pparam::u8(r, pparam::kPort));
      EXPECT_EQ(pparam::u16(r, pparam::kErrorCode), CORVEL_ERR_BAD_PORT) << operation.name;
      EXPECT_EQ(pparam::i32(r, pparam::kHandle), 0) << operation.name;
    }
  }

  ASSERT_NE(::fcntl(STDIN_FILENO, F_GETFD), -1) << "standard input was closed";
  termios after{};
  ASSERT_EQ(::tcgetattr(STDIN_FILENO, &after), 0);
  EXPECT_TRUE(sameSettings(before, after)) << "standard input was reconfigured";
  EXPECT_EQ(queuedInput(), 3) << "standard input was read or cleared";
  // Anything written to it would reach the far end ahead of this marker.
  ASSERT_EQ(::write(STDIN_FILENO, "!", 1), 1);
  EXPECT_EQ(pty.receive(1), std::vector<std::uint8_t>{'!'}) << "standard input was written";
}

}  // namespace
