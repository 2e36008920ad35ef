// Quorra's five calls against the pymodbus peer: the function codes and values
// on the wire, time-outs, exceptions, reconnects and refused requests.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <set>

#include "modbus_peer.h"
#include "tessor/quorra/quorra.h"

namespace tessor {
namespace {

using testing::ModbusPeer;

class TessorQuorraPeerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(peer.ready()) << "the pymodbus peer did not start";
    configure(peer.port(), 300, 0, 1);
  }
  void TearDown() override { zCOMMClose(&record); }
  void configure(std::uint16_t port, std::uint16_t timeoutMs, std::uint8_t retries,
                 std::uint16_t station) {
    record = {};
    const unsigned char ip[4] = {127, 0, 0, 1};
    for (std::size_t i = 0; i < 4; ++i) record.raw[pparam::kServerAddress + i] = ip[i];
    pparam::setU16(record, pparam::kTcpPort, port);
    pparam::setU16(record, pparam::kTimeoutMs, timeoutMs);
    pparam::setU8(record, pparam::kRetries, retries);
    pparam::setU16(record, pparam::kStation, station);
    pparam::setPointer(record, pparam::kBlockPointer, block.data());
  }
  void open() { ASSERT_EQ(zCOMMOpen(&record), 0); }
  std::uint16_t lastError() const { return pparam::u16(record, pparam::kErrorCode); }

  ModbusPeer peer;
  tagPPARAM record{};
  std::array<unsigned char, 4> block{};
  std::array<unsigned short, 2000> buffer{};
};

TEST_F(TessorQuorraPeerTest, ReadsEachAreaWithItsFunctionCode) {
  open();
  peer.command("set hr 1024 10 20 30");
  peer.command("set ir 17055 7");
  peer.command("set co 2048 1 0 1 1");
  peer.command("set di 0 0 1");
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 1024, buffer.data(), 3), 0);
  EXPECT_EQ((std::vector<unsigned short>{buffer[0], buffer[1], buffer[2]}),
            (std::vector<unsigned short>{10, 20, 30}));
  EXPECT_EQ(zRead_PLC(&record, 0x0102, 17055, buffer.data(), 1), 0);
  EXPECT_EQ(buffer[0], 7);
  EXPECT_EQ(zRead_PLC(&record, 0x0200, 2048, buffer.data(), 20), 0);
  EXPECT_EQ(buffer[0], 0x000D);  // bit 0 is the coil at the start address
  EXPECT_EQ(buffer[1], 0);
  EXPECT_EQ(zRead_PLC(&record, 0x0201, 0, buffer.data(), 2), 0);
  EXPECT_EQ(buffer[0], 0x0002);
  EXPECT_EQ(peer.log(), (std::vector<std::string>{
                            "fc=3 unit=1 addr=1024 count=3", "fc=4 unit=1 addr=17055 count=1",
                            "fc=1 unit=1 addr=2048 count=20", "fc=2 unit=1 addr=0 count=2"}));
}

TEST_F(TessorQuorraPeerTest, WritesUseTheExpectedFunctionCodes) {
  open();
  buffer[0] = 0x1234;
  buffer[1] = 7;
  EXPECT_EQ(zWrite_PLC(&record, 0x0103, 1024, buffer.data(), 1), 0);
  EXPECT_EQ(zWrite_PLC(&record, 0x0103, 2000, buffer.data(), 2), 0);
  EXPECT_EQ(zSetBit_PLC(&record, 0x0200, 6400, 1), 0);
  EXPECT_EQ(peer.log(), (std::vector<std::string>{"fc=6 unit=1 addr=1024 count=1 values=4660",
                                                  "fc=16 unit=1 addr=2000 count=2 values=4660,7",
                                                  "fc=5 unit=1 addr=6400 count=1 values=1"}));
  EXPECT_EQ(peer.command("get hr 2000 2"), std::vector<std::string>{"4660 7"});
  EXPECT_EQ(peer.command("get co 6400 1"), std::vector<std::string>{"1"});
}

TEST_F(TessorQuorraPeerTest, CoilWritesTouchExactlyTheGivenCoils) {
  open();
  peer.command("set co 2048 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1");
  buffer[0] = 0x0005;  // coils 0 and 2 on, the rest of the 20 off
  buffer[1] = 0xFFF0;  // bits beyond the 20th must not travel
  EXPECT_EQ(zWrite_PLC(&record, 0x0200, 2048, buffer.data(), 20), 0);
  EXPECT_EQ(peer.log(), std::vector<std::string>{
                            "fc=15 unit=1 addr=2048 count=20 values=1,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"});
  EXPECT_EQ(peer.command("get co 2048 32"),
            std::vector<std::string>{"1 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 1 1 1 1 1 1 1 1 1 1 1"});
}

TEST_F(TessorQuorraPeerTest, StationTravelsAsTheUnitIdentifier) {
  configure(peer.port(), 300, 0, 7);
  open();
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 0, buffer.data(), 1), 0);
  EXPECT_EQ(peer.log(), std::vector<std::string>{"fc=3 unit=7 addr=0 count=1"});
}

TEST_F(TessorQuorraPeerTest, SilenceIsATimeOutAfterEveryRetry) {
  configure(peer.port(), 100, 2, 1);
  open();
  peer.command("mode silent");
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 0, buffer.data(), 1), 1001);
  EXPECT_EQ(lastError(), 1001);
  EXPECT_EQ(peer.log().size(), 3u);  // the request and two retries
  peer.command("mode normal");
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 0, buffer.data(), 1), 0);  // a late answer is not taken
}

TEST_F(TessorQuorraPeerTest, ExceptionRepliesAreMappedAndNotRepeated) {
  configure(peer.port(), 300, 3, 1);
  open();
  const std::pair<int, unsigned short> rows[] = {{1, 1012}, {2, 1017}, {3, 1010}, {4, 1701},
                                                 {6, 1499}, {7, 1002}, {8, 1704}, {11, 1001},
                                                 {0, 1499}, {9, 1499}};
  for (const auto& [exception, code] : rows) {
    peer.clear();
    peer.command("exception " + std::to_string(exception));
    EXPECT_EQ(zWrite_PLC(&record, 0x0103, 5, buffer.data(), 2), code) << exception;
    EXPECT_EQ(lastError(), code);
    EXPECT_EQ(peer.log().size(), 1u) << exception;
  }
}

// Replies libmodbus would take: from another unit or protocol, or a write
// echoing another address, value or count. The read's data stay untouched.
TEST_F(TessorQuorraPeerTest, RepliesThatDoNotAnswerTheRequestFail) {
  open();
  struct Row {
    const char* what;
    const char* patch;
    std::function<unsigned short()> call;
    unsigned short code;
  };
  const auto readTwo = [&] { return zRead_PLC(&record, 0x0103, 5, buffer.data(), 2); };
  const auto writeOne = [&] { return zWrite_PLC(&record, 0x0103, 5, buffer.data(), 1); };
  const auto writeTwo = [&] { return zWrite_PLC(&record, 0x0103, 5, buffer.data(), 2); };
  const Row rows[] = {
      {"another unit", "patch 6 9", readTwo, 1021},
      {"another protocol", "patch 2 0 3 1", readTwo, 1705},
      {"FC5 address", "patch 9 6", [&] { return zSetBit_PLC(&record, 0x0200, 5, 1); }, 1008},
      {"FC6 address", "patch 9 6", writeOne, 1008},
      {"FC6 value", "patch 11 99", writeOne, 1016},
      {"FC15 count", "patch 11 3", [&] { return zWrite_PLC(&record, 0x0200, 5, buffer.data(), 20); }, 1010},
      {"FC16 address", "patch 8 1", writeTwo, 1008},
      {"FC16 count", "patch 11 1", writeTwo, 1010},
  };
  for (const auto& row : rows) {
    buffer.fill(0xBEEF);
    peer.command(row.patch);
    EXPECT_EQ(row.call(), row.code) << row.what;
    EXPECT_EQ(lastError(), row.code) << row.what;
    EXPECT_EQ(buffer[0], 0xBEEF) << row.what;
  }
  peer.command("patch off");
  peer.command("set hr 5 10 20");
  EXPECT_EQ(readTwo(), 0);
  EXPECT_EQ(buffer[1], 20);
}

// The block is the caller's and not initialised: one that happens to hold the
// number of another record's connection must neither use nor close it.
TEST_F(TessorQuorraPeerTest, AStrayBlockNeverReachesAnotherRecordsConnection) {
  open();
  tagPPARAM stray = record;
  std::array<unsigned char, 4> strayBlock = block;
  pparam::setPointer(stray, pparam::kBlockPointer, strayBlock.data());
  EXPECT_EQ(zRead_PLC(&stray, 0x0103, 0, buffer.data(), 1), 1020);
  EXPECT_EQ(zCOMMClose(&stray), 0);
  strayBlock = block;
  EXPECT_EQ(zCOMMOpen(&stray), 0);
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 0, buffer.data(), 1), 0);
  EXPECT_EQ(zRead_PLC(&stray, 0x0103, 0, buffer.data(), 1), 0);
  EXPECT_EQ(peer.connections(), 2);  // ours was never closed and opened again
  zCOMMClose(&stray);
}

TEST_F(TessorQuorraPeerTest, ReconnectsWhenTheServerClosedTheConnection) {
  open();
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 0, buffer.data(), 1), 0);
  peer.command("close");
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 0, buffer.data(), 1), 0);  // retries 0
  EXPECT_EQ(peer.connections(), 2);
  EXPECT_EQ(peer.log().size(), 2u);
}

TEST_F(TessorQuorraPeerTest, AServerThatDropsEveryRequestFailsAfterTheRetries) {
  configure(peer.port(), 300, 1, 1);
  open();
  peer.command("mode drop");
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 0, buffer.data(), 1), 1016);
  // One free reconnect for the kept connection, then the request and one retry.
  EXPECT_EQ(peer.log().size(), 3u);
}

TEST_F(TessorQuorraPeerTest, RequestsBeyondTheProtocolAreRefusedUnsent) {
  open();
  struct Row {
    const char* what;
    std::function<unsigned short()> call;
    unsigned short code;
  };
  const Row rows[] = {
      {"126 registers", [&] { return zRead_PLC(&record, 0x0103, 0, buffer.data(), 126); }, 1010},
      {"2001 coils", [&] { return zRead_PLC(&record, 0x0200, 0, buffer.data(), 2001); }, 1010},
      {"no values", [&] { return zRead_PLC(&record, 0x0103, 0, buffer.data(), 0); }, 1010},
      {"124 written", [&] { return zWrite_PLC(&record, 0x0103, 0, buffer.data(), 124); }, 1010},
      {"1969 coils", [&] { return zWrite_PLC(&record, 0x0200, 0, buffer.data(), 1969); }, 1010},
      {"past 65535", [&] { return zRead_PLC(&record, 0x0103, 65535, buffer.data(), 2); }, 1017},
      {"address 65536", [&] { return zSetBit_PLC(&record, 0x0200, 65536, 1); }, 1017},
      {"unknown area", [&] { return zRead_PLC(&record, 0x0300, 0, buffer.data(), 1); }, 1012},
      {"write inputs", [&] { return zWrite_PLC(&record, 0x0102, 0, buffer.data(), 1); }, 1012},
      {"bit of a register", [&] { return zSetBit_PLC(&record, 0x0103, 0, 1); }, 1012},
      {"no buffer", [&] { return zRead_PLC(&record, 0x0103, 0, nullptr, 1); }, 1012},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.call(), row.code) << row.what;
    EXPECT_EQ(lastError(), row.code) << row.what;
  }
  EXPECT_TRUE(peer.log().empty());
}

TEST_F(TessorQuorraPeerTest, CallsWithoutAnOpenConnection) {
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 0, buffer.data(), 1), 1020);
  open();
  EXPECT_EQ(zCOMMClose(&record), 0);
  EXPECT_EQ(zRead_PLC(&record, 0x0103, 0, buffer.data(), 1), 1020);  // closed handles stay dead
  EXPECT_EQ(zCOMMClose(&record), 0);
  pparam::setPointer(record, pparam::kBlockPointer, nullptr);
  EXPECT_EQ(zCOMMOpen(&record), 1020);
  EXPECT_EQ(zCOMMOpen(nullptr), 1012);
  EXPECT_TRUE(peer.log().empty());
}

// A loopback socket on a free port; listening with `backlog` unless it is negative.
int loopbackSocket(sockaddr_in& at, int backlog) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  at = {};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof at;
  if (::bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) return -1;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&at), &length);
  if (backlog >= 0) ::listen(s, backlog);
  return s;
}

tagPPARAM loopbackRecord(const sockaddr_in& at, std::array<unsigned char, 4>& block,
                         std::uint8_t retries = 0) {
  tagPPARAM record{};
  record.raw[pparam::kServerAddress] = 127;
  record.raw[pparam::kServerAddress + 3] = 1;
  pparam::setU16(record, pparam::kTcpPort, ntohs(at.sin_port));
  pparam::setU16(record, pparam::kTimeoutMs, 100);
  pparam::setU8(record, pparam::kRetries, retries);
  pparam::setU16(record, pparam::kStation, 1);
  pparam::setPointer(record, pparam::kBlockPointer, block.data());
  return record;
}

TEST(TessorQuorraOpen, ARefusedConnectionIsDeviceNotFound) {
  sockaddr_in at{};
  const int s = loopbackSocket(at, -1);
  ASSERT_GE(s, 0);
  ::close(s);  // nobody listens on that port now
  std::array<unsigned char, 4> block{};
  tagPPARAM record = loopbackRecord(at, block);
  EXPECT_EQ(zCOMMOpen(&record), 1015);
  EXPECT_EQ(pparam::u16(record, pparam::kErrorCode), 1015);
}

// A listener that never accepts, with backlog 0: the first connection fills its
// queue, and the server stays silent to every later connect.
TEST(TessorQuorraOpen, AConnectThatGetsNoAnswerIsATimeOut) {
  sockaddr_in at{};
  const int s = loopbackSocket(at, 0);
  ASSERT_GE(s, 0);
  std::array<unsigned char, 4> first{}, second{};
  tagPPARAM kept = loopbackRecord(at, first, 1);
  tagPPARAM late = loopbackRecord(at, second);
  ASSERT_EQ(zCOMMOpen(&kept), 0);
  std::array<unsigned short, 1> buffer{};
  // No answer, then the retry's reconnect gets none either.
  EXPECT_EQ(zRead_PLC(&kept, 0x0103, 0, buffer.data(), 1), 1001);
  EXPECT_EQ(zCOMMOpen(&late), 1001);
  EXPECT_EQ(pparam::u16(late, pparam::kErrorCode), 1001);
  zCOMMClose(&kept);
  ::close(s);
}

TEST(TessorQuorraLibrary, ExportsExactlyItsFiveCalls) {
  const std::string command = "nm -D --defined-only " TRAX_BIN_DIR "/libquorra.so";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  ASSERT_TRUE(pipe);
  std::set<std::string> names;
  char line[512];
  while (std::fgets(line, sizeof line, pipe.get())) {
    char address[64], type[8], name[256];
    if (std::sscanf(line, "%63s %7s %255s", address, type, name) == 3) names.insert(name);
  }
  EXPECT_EQ(names, (std::set<std::string>{"zCOMMClose", "zCOMMOpen", "zRead_PLC", "zSetBit_PLC",
                                          "zWrite_PLC"}));
}

}  // namespace
}  // namespace tessor
