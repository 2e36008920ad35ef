// The boot loader requests on the wire: every byte of each frame, its reply
// time-out, and what counts as success.
#include "orvane/firmware/boot_loader_requests.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "orvane/protocol/tests/fake_modules.h"
#include "orvane/protocol/tests/recording_ui.h"

namespace orvane {
namespace {

using namespace orvane::testing;

constexpr MacAddress kMac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};

Bytes hex(const std::string& text) {
  std::istringstream in(text);
  Bytes bytes;
  unsigned value = 0;
  while (in >> std::hex >> value) bytes.push_back(static_cast<std::uint8_t>(value));
  return bytes;
}

class BootLoaderRequestsTest : public ::testing::Test {
 protected:
  BootLoaderRequestsTest() { ui.status = &status; }
  RecordingUi ui;
  ProcessFlags flags;
  StatusText status{ui, flags};
  FakeTransport transport;
  ModuleLink link{transport, status, {0x7F000001, 58580}};
  BootLoaderRequests requests{link};
};

TEST_F(BootLoaderRequestsTest, FramesAreByteExact) {
  const std::array<std::uint8_t, 4> data{0xDE, 0xAD, 0xBE, 0xEF};
  struct Row {
    const char* what;
    std::function<bool(BootLoaderRequests&)> call;
    std::string frame;
    int timeoutMs;
  };
  const Row rows[] = {
      {"EnterBootLoader", [](auto& r) { return r.enterBootLoader(kMac); },
       "AA 0B 00 0C 00 11 22 33 44 55 BC", 100},
      {"ReadBootInfo", [](auto& r) { return r.readBootInfo(kMac, 100); },
       "AA 0B 00 E1 00 11 22 33 44 55 51", 100},
      {"ReadSystemInfo, shortened wait", [](auto& r) { return r.readSystemInfo(kMac, 7); },
       "AA 0B 00 09 00 11 22 33 44 55 B9", 7},
      {"EraseFirmware", [](auto& r) { return r.eraseFirmware(kMac, FirmwareKind::SystemProgram); },
       "AA 0C 00 E3 00 11 22 33 44 55 02 56", 3000},
      {"WriteFirmwareBlock",
       [&](auto& r) {
         return r.writeFirmwareBlock(kMac, FirmwareKind::SystemProgram, 0x0102, 0x00030201, data);
       },
       "AA 18 00 E4 00 11 22 33 44 55 02 02 01 01 02 03 00 04 00 DE AD BE EF 60", 100},
      {"VerifyFirmware",
       [](auto& r) { return r.verifyFirmware(kMac, FirmwareKind::BootLoader, 1000, 0x5C); },
       "AA 11 00 E5 00 11 22 33 44 55 01 E8 03 00 00 5C F9", 100},
      {"RestartModule", [](auto& r) { return r.restartModule(kMac, FirmwareKind::BootLoader); },
       "AA 0C 00 E6 00 11 22 33 44 55 01 50", 100},
  };
  for (const auto& row : rows) {
    FakeTransport t;
    t.responder = [](const Bytes& f) {
      return std::vector<Arrival>{Arrival::datagram(replyFrame(f[3], {0}))};
    };
    ModuleLink l(t, status, {0x7F000001, 58580});
    BootLoaderRequests r(l);
    EXPECT_TRUE(row.call(r)) << row.what;
    ASSERT_EQ(t.sent().size(), 1u) << row.what;
    EXPECT_EQ(t.sent()[0].frame, hex(row.frame)) << row.what;
    EXPECT_EQ(t.sent()[0].timeoutMs, row.timeoutMs) << row.what;
  }
}

TEST_F(BootLoaderRequestsTest, WritesNeedResultZeroReadsOnlyAReply) {
  struct Row {
    const char* what;
    std::vector<Arrival> arrivals;
    bool write, read;  // outcome for RestartModule, for EnterBootLoader
  };
  const auto reply = [](std::uint8_t result) {
    return [=](std::uint8_t code) { return replyFrame(code, {result}); };
  };
  const auto rows = [&](std::uint8_t code) {
    return std::vector<Row>{
        {"result 0", {Arrival::datagram(reply(0)(code))}, true, true},
        {"result 5", {Arrival::datagram(reply(5)(code))}, false, true},
        {"no reply", {}, false, false},
        {"reply without byte 4", {Arrival::datagram(Bytes{0xAA, 0x04, 0x00, code})}, false, true},
        {"another code first", {Arrival::datagram(replyFrame(0x55, {0})),
                                Arrival::datagram(reply(0)(code))}, true, true},
        {"reply longer than 512 bytes",
         {Arrival::datagram(replyFrame(code, Bytes(600, 0)))}, false, false},
    };
  };
  for (const auto& row : rows(0xE6)) {
    transport.responder = [&](const Bytes&) { return row.arrivals; };
    EXPECT_EQ(requests.restartModule(kMac, FirmwareKind::SystemProgram), row.write) << row.what;
  }
  for (const auto& row : rows(0x0C)) {
    transport.responder = [&](const Bytes&) { return row.arrivals; };
    EXPECT_EQ(requests.enterBootLoader(kMac), row.read) << row.what;
  }
}

TEST_F(BootLoaderRequestsTest, AFailedExchangeLeavesItsStatusText) {
  EXPECT_FALSE(requests.eraseFirmware(kMac, FirmwareKind::BootLoader));
  EXPECT_EQ(status.pending(), "以太网通信失败！接受数据失败！");
}

}  // namespace
}  // namespace orvane
