// The port functions over a pseudo-terminal mapped as COM2.
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>

#include <cerrno>
#include <cstdlib>

#include "corvel/comm_dcb.h"
#include "corvel/corvel.h"
#include "corvel/serial_device.h"
#include "corvel/tests/pty_pair.h"

namespace {

using corvel_test::PtyPair;

constexpr int kCom = 2;

tagPPARAM closedRecord(std::uint8_t port = kCom) {
  tagPPARAM r{};
  pparam::setU8(r, pparam::kPort, port);
  pparam::setI32(r, pparam::kHandle, -1);
  pparam::setU8(r, pparam::kBaudCode, 3);
  pparam::setU8(r, pparam::kDataBits, 8);
  pparam::setU16(r, pparam::kTimeoutMs, 100);
  return r;
}

int handleOf(const tagPPARAM& r) { return pparam::i32(r, pparam::kHandle); }
std::uint16_t errorOf(const tagPPARAM& r) { return pparam::u16(r, pparam::kErrorCode); }
std::uint32_t osErrorOf(const tagPPARAM& r) { return pparam::u32(r, pparam::kOsError); }

corvel::CommTimeouts timeoutsOf(const tagPPARAM& r) {
  corvel::CommTimeouts t;
  EXPECT_EQ(corvel::device::getTimeouts(handleOf(r), t), 0);
  return t;
}

// Waits (bounded) until `count` bytes sent by the master are queued at the port.
bool inputQueued(const tagPPARAM& r, std::size_t count) {
  for (int i = 0; i < 200; ++i) {
    corvel::device::LineStatus s;
    if (corvel::device::queryStatus(handleOf(r), s) == 0 && s.inputQueued >= count) return true;
    pollfd pfd{handleOf(r), POLLIN, 0};
    ::poll(&pfd, 1, 10);
  }
  return false;
}

TEST(CorvelPortNumbers, OnlyComOneToFourAreSerial) {
  for (std::uint8_t port : {0, 5, 200}) {
    tagPPARAM r = closedRecord(port);
    EXPECT_EQ(LIB_COMMOpen(&r), -1);
    EXPECT_EQ(errorOf(r), 1011);
    pparam::setU16(r, pparam::kErrorCode, 0);
    EXPECT_EQ(LIB_COMMClose(&r), -1);
    EXPECT_EQ(errorOf(r), 1011);
    EXPECT_EQ(handleOf(r), -1);
  }
  struct Row { unsigned char b; int internal, serial, ethernet; };
  for (const Row& row : {Row{0, 1, 0, 0}, Row{1, 0, 1, 0}, Row{4, 0, 1, 0}, Row{5, 0, 0, 1}, Row{255, 0, 0, 1}}) {
    EXPECT_EQ(LIB_IsInternal(row.b), row.internal) << int(row.b);
    EXPECT_EQ(LIB_IsSerial(row.b), row.serial) << int(row.b);
    EXPECT_EQ(LIB_IsEthernet(row.b), row.ethernet) << int(row.b);
  }
}

TEST(CorvelPortOpen, FailuresKeepThePlatformErrorAndLeaveThePortClosed) {
  struct Row { const char* device; std::uint8_t dataBits; int code; int osError; };
  const Row rows[] = {
      {"/nonexistent/ttyCORVEL", 8, 1020, ENOENT},
      {"/dev/null", 8, 1022, ENOTTY},  // opens, but is no terminal
  };
  for (const Row& row : rows) {
    ::setenv("TRAX_COM3", row.device, 1);
    tagPPARAM r = closedRecord(3);
    pparam::setU8(r, pparam::kDataBits, row.dataBits);
    EXPECT_EQ(LIB_COMMOpen(&r), -1) << row.device;
    EXPECT_EQ(errorOf(r), row.code) << row.device;
    EXPECT_EQ(osErrorOf(r), static_cast<std::uint32_t>(row.osError)) << row.device;
    EXPECT_EQ(handleOf(r), -1) << row.device;
  }
  ::unsetenv("TRAX_COM3");
}

TEST(CorvelPortOpen, RefusedLineSettingsCloseThePortAgain) {
  PtyPair pty(kCom);
  ASSERT_TRUE(pty.ok());
  for (std::uint8_t bits : {4, 9, 0}) {
    tagPPARAM r = closedRecord();
    pparam::setU8(r, pparam::kDataBits, bits);
    EXPECT_EQ(LIB_COMMOpen(&r), -1);
    EXPECT_EQ(errorOf(r), 1022);
    EXPECT_EQ(osErrorOf(r), static_cast<std::uint32_t>(EINVAL));
    EXPECT_EQ(handleOf(r), -1);
  }
  tagPPARAM closed = closedRecord();
  EXPECT_EQ(LIB_COMMSetDCB(&closed), -1);
  EXPECT_EQ(errorOf(closed), 1011);
}

TEST(CorvelPortOpen, IsExclusiveAndReusesAnOpenHandle) {
  PtyPair pty(kCom);
  ASSERT_TRUE(pty.ok());
  tagPPARAM first = closedRecord();
  ASSERT_EQ(LIB_COMMOpen(&first), 0);
  EXPECT_EQ(pparam::u8(first, pparam::kOpenDefaultByte), 32);
  tagPPARAM second = closedRecord();
  EXPECT_EQ(LIB_COMMOpen(&second), -1);
  EXPECT_EQ(errorOf(second), 1020);
  // Without privileges TIOCEXCL refuses the second open (EBUSY); with them
  // the lock does (EWOULDBLOCK).
  const auto refusal = osErrorOf(second);
  EXPECT_TRUE(refusal == static_cast<std::uint32_t>(EBUSY) ||
              refusal == static_cast<std::uint32_t>(EWOULDBLOCK))
      << refusal;
  tagPPARAM copy = first;  // the handle is used as it is
  pparam::setU8(copy, pparam::kOpenDefaultByte, 7);
  EXPECT_EQ(LIB_COMMOpen(&copy), 0);
  EXPECT_EQ(handleOf(copy), handleOf(first));
  EXPECT_EQ(pparam::u8(copy, pparam::kOpenDefaultByte), 7);
  EXPECT_EQ(LIB_COMMClose(&first), 0);
  EXPECT_EQ(handleOf(first), -1);
  pparam::setU16(first, pparam::kErrorCode, 4321);
  EXPECT_EQ(LIB_COMMClose(&first), -1);
  EXPECT_EQ(errorOf(first), 4321);  // a closed port is no error code
}

// A pseudo-terminal keeps speed, stop bits and flow control; it forces 8 data
// bits without parity (termios_test checks those flags without a device).
TEST(CorvelPortSetup, TheDeviceTakesTheRecordsLineSettings) {
  PtyPair pty(kCom);
  ASSERT_TRUE(pty.ok());
  struct Row { std::uint8_t baud, stop, cts; speed_t speed; tcflag_t set, clear; };
  const Row rows[] = {
      {3, 0, 0, B9600, 0, CSTOPB | CRTSCTS},
      {9, 0, 0, B9600, 0, CSTOPB | CRTSCTS},
      {0, 1, 0, B1200, CSTOPB, CRTSCTS},
      {5, 0, 1, B38400, CRTSCTS, CSTOPB},
      {4, 2, 0, B19200, 0, CSTOPB},
  };
  for (const Row& row : rows) {
    tagPPARAM r = closedRecord();
    pparam::setU8(r, pparam::kBaudCode, row.baud);
    pparam::setU8(r, pparam::kStopBitsCode, row.stop);
    pparam::setU8(r, pparam::kCtsFlow, row.cts);
    ASSERT_EQ(LIB_COMMOpen(&r), 0) << int(row.baud);
    termios tio{};
    ASSERT_EQ(::tcgetattr(handleOf(r), &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), row.speed) << int(row.baud);
    EXPECT_EQ(::cfgetispeed(&tio), row.speed) << int(row.baud);
    EXPECT_EQ(tio.c_cflag & row.set, row.set) << int(row.baud);
    EXPECT_EQ(tio.c_cflag & row.clear, 0u) << int(row.baud);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    const corvel::DcbBytes dcb = corvel::buildDcb(r);
    for (std::size_t i = 0; i < dcb.size(); ++i) EXPECT_EQ(pparam::u8(r, pparam::kDcb + i), dcb[i]) << i;
    const corvel::CommTimeouts expected{0, 0, 100, 50, 3000};
    EXPECT_EQ(timeoutsOf(r), expected);
    EXPECT_EQ(LIB_COMMClose(&r), 0);
  }
}

class CorvelOpenPort : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty.ok());
    ASSERT_EQ(LIB_COMMOpen(&record), 0);
  }
  void TearDown() override {
    if (handleOf(record) != -1) LIB_COMMClose(&record);
  }
  PtyPair pty{kCom};
  tagPPARAM record = closedRecord();
};

TEST_F(CorvelOpenPort, WritesAndReadsWithinTheTimeOut) {
  const unsigned char hello[] = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_TRUE(LIB_WriteComm(&record, hello, 5));
  EXPECT_TRUE(LIB_CommPutc(&record, 0x100 + '!'));  // one byte: the low eight bits
  EXPECT_EQ(pty.receive(6), (std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o', '!'}));
  EXPECT_TRUE(LIB_WriteComm(&record, hello, 0x10000));  // the count is taken as 16 bits: none

  pty.send({1, 2, 3});
  unsigned char buffer[16] = {};
  EXPECT_EQ(LIB_ReadComm(&record, buffer, 3), 3);
  EXPECT_EQ(buffer[2], 3);
  pty.send({7, 8});
  EXPECT_EQ(LIB_ReadComm(&record, buffer, 10), 2);  // the rest never comes: total time-out
  EXPECT_EQ(buffer[1], 8);
  EXPECT_EQ(LIB_ReadComm(&record, buffer, 0), 0);
}

TEST_F(CorvelOpenPort, OneCallTimeOutsAreRestored) {
  const corvel::CommTimeouts before = timeoutsOf(record);
  EXPECT_EQ(LIB_CommGetc(&record, 20), -1);
  EXPECT_EQ(timeoutsOf(record), before);
  pty.send({0xA5});
  EXPECT_EQ(LIB_CommGetc(&record, 1000), 0xA5);
  EXPECT_EQ(timeoutsOf(record), before);

  EXPECT_EQ(LIB_CheckNextByte(&record), 0);  // nothing waiting
  EXPECT_EQ(timeoutsOf(record), before);
  pty.send({0x41, 0x00});
  ASSERT_TRUE(inputQueued(record, 2));
  EXPECT_EQ(LIB_CheckNextByte(&record), 0x41);
  EXPECT_EQ(LIB_CheckNextByte(&record), 0x00);  // a 0x00 byte looks like no byte
  EXPECT_EQ(timeoutsOf(record), before);
}

TEST_F(CorvelOpenPort, ReadTimeOutChangesKeepTheOtherParts) {
  EXPECT_TRUE(LIB_SetReadTimeOut(&record, 2, 40));
  EXPECT_EQ(timeoutsOf(record), (corvel::CommTimeouts{0, 2, 40, 50, 3000}));
  EXPECT_TRUE(LIB_SetReadTimeOut(&record, 0x10003, -2));  // 16-bit signed parts
  EXPECT_EQ(timeoutsOf(record), (corvel::CommTimeouts{0, 3, 0xFFFFFFFE, 50, 3000}));
  ASSERT_EQ(LIB_COMMSetDCB(&record), 0);  // set-up starts from the record again
  EXPECT_EQ(timeoutsOf(record), (corvel::CommTimeouts{0, 0, 100, 50, 3000}));
}

TEST_F(CorvelOpenPort, ClearDiscardsQueuedInput) {
  EXPECT_EQ(LIB_CommClear(&record), 0);  // nothing queued: nothing purged
  pty.send({1, 2, 3, 4});
  ASSERT_TRUE(inputQueued(record, 4));
  EXPECT_EQ(LIB_CommClear(&record), 1);
  EXPECT_EQ(LIB_CheckNextByte(&record), 0);
}

TEST_F(CorvelOpenPort, APortThatWentAwayFailsInsteadOfReadingNothing) {
  pty.closeMaster();
  unsigned char buffer[4];
  EXPECT_EQ(LIB_ReadComm(&record, buffer, 4), -1);
  EXPECT_EQ(errorOf(record), 1019);
  EXPECT_EQ(osErrorOf(record), static_cast<std::uint32_t>(EIO));
  EXPECT_EQ(LIB_CommGetc(&record, 10), -1);
}

TEST_F(CorvelOpenPort, ClosedPortsFailEveryTransfer) {
  ASSERT_EQ(LIB_COMMClose(&record), 0);
  const unsigned char byte = 1;
  unsigned char buffer[2];
  EXPECT_FALSE(LIB_WriteComm(&record, &byte, 1));
  EXPECT_EQ(LIB_ReadComm(&record, buffer, 2), -1);
  EXPECT_EQ(errorOf(record), 1011);  // the record holds no open port
  EXPECT_EQ(LIB_CommGetc(&record, 10), -1);
  EXPECT_EQ(LIB_CheckNextByte(&record), 0xFF);
  EXPECT_EQ(LIB_CommClear(&record), 0);
  EXPECT_FALSE(LIB_SetReadTimeOut(&record, 1, 1));
  EXPECT_FALSE(LIB_SetRTS(&record));
  EXPECT_FALSE(LIB_ResetRTS(&record));
}

// Records the by-hand RTS moves of the writes, with the bytes the master has
// received by then (a pseudo-terminal sends at once).
std::vector<std::pair<bool, std::size_t>> rtsMoves;
PtyPair* watchedPty = nullptr;
std::vector<std::uint8_t> receivedSoFar;
int recordRts(int, bool raised) {
  if (!raised && watchedPty) {
    const auto bytes = watchedPty->receive(3, 200);
    receivedSoFar.insert(receivedSoFar.end(), bytes.begin(), bytes.end());
  }
  rtsMoves.emplace_back(raised, receivedSoFar.size());
  return 0;
}

TEST(CorvelRtsToggle, RtsIsRaisedOnlyWhileSending) {
  struct Row { std::uint8_t rtsToggle, interfaceType, rs485; bool toggles; };
  for (const Row& row : {Row{1, 0, 0, true}, Row{0, 2, 0, true}, Row{0, 0, 1, true}, Row{0, 0, 0, false}}) {
    PtyPair pty(kCom);
    ASSERT_TRUE(pty.ok());
    tagPPARAM r = closedRecord();
    pparam::setU8(r, pparam::kRtsToggle, row.rtsToggle);
    pparam::setU8(r, pparam::kInterfaceType, row.interfaceType);
    pparam::setU8(r, pparam::kRs485Mode, row.rs485);
    ASSERT_EQ(LIB_COMMOpen(&r), 0);
    rtsMoves.clear();
    receivedSoFar.clear();
    watchedPty = &pty;
    const auto previous = corvel::device::replaceToggleRtsSetter(&recordRts);
    const unsigned char frame[] = {5, 6, 7};
    EXPECT_TRUE(LIB_WriteComm(&r, frame, 3));
    corvel::device::replaceToggleRtsSetter(previous);
    watchedPty = nullptr;
    using Moves = std::vector<std::pair<bool, std::size_t>>;
    // Raised before the first byte left, lowered once all three had gone.
    const Moves expected = row.toggles ? Moves{{true, 0}, {false, 3}} : Moves{};
    EXPECT_EQ(rtsMoves, expected) << int(row.rtsToggle);
    EXPECT_EQ(LIB_COMMClose(&r), 0);
  }
}

TEST(CorvelRecord, ParamCheckComparesTheLineAndTheCheckWord) {
  const tagPPARAM base = [] {
    tagPPARAM r = closedRecord();
    pparam::setU16(r, pparam::kCheckWord, 0x1234);
    return r;
  }();
  tagPPARAM other = base;
  pparam::setU16(other, pparam::kTimeoutMs, 999);
  pparam::setU8(other, pparam::kCtsFlow, 1);
  EXPECT_EQ(LIB_ParamCheck(const_cast<tagPPARAM*>(&base), &other), 0);
  for (std::size_t at : {pparam::kPort, pparam::kBaudCode, pparam::kParityCode, pparam::kStopBitsCode,
                         pparam::kDataBits, pparam::kCheckWord, pparam::kCheckWord + 1}) {
    other = base;
    pparam::setU8(other, at, static_cast<std::uint8_t>(pparam::u8(base, at) + 1));
    EXPECT_EQ(LIB_ParamCheck(const_cast<tagPPARAM*>(&base), &other), -1) << at;
  }
  EXPECT_EQ(LIB_SetLastError(&other, 0x12345), 0x2345);
  EXPECT_EQ(errorOf(other), 0x2345);
  EXPECT_EQ(LIB_SetLastError(&other, 1019), 1019);
}

}  // namespace
