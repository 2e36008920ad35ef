#include <gtest/gtest.h>

#include <array>
#include <future>

#include "wirelet/tests/hex.h"
#include "wirelet/tests/plc_sim_process.h"
#include "wirelet/tests/test_clock.h"
#include "wirelet/wirelet.h"

namespace {

using wirelet_test::PlcSimProcess;
using wirelet_test::TestClock;
using wirelet_test::toHex;

constexpr int kPort = 7;
const char* const kScenario = R"({"bytes": [{"address": 15, "text": "z"}]})";
const std::string kEnq = "4B 21 05";
const std::string kRead15 = "01 50 01 0F 00 01 00 17 5F";  // Order50(15, 1)

// When the order's long waits may run without real time.
enum class Fast { Never, FromStart, AfterPartialReply };

struct Row {
  const char* name;
  std::vector<std::string> faults;
  Fast fast;
  OrderResult result;
  std::string reply;  // hex of the caller's buffer (its first bytes)
  std::string wire;   // hex of everything plc-sim received
};

std::string repeat(const std::string& hex, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += (i ? " " : "") + hex;
  return all;
}

TEST(WireletAgainstPlcSim, OutcomesOfOrder50) {
  const std::string untouched = "EE EE EE EE EE EE EE";
  const Row rows[] = {
      {"good reply", {}, Fast::Never, 6, "01 50 01 00 7A 17 2B", kEnq + " " + kRead15 + " 06 04"},
      {"bad check byte", {"--bad-check"}, Fast::Never, 4, "01 50 01 00 7A 17 D4",
       kEnq + " " + kRead15 + " 06 04"},
      {"0xFC marker", {"--marker", "FC"}, Fast::Never, 3, "01 50 01 FC 00 00 17 AD EE",
       kEnq + " " + kRead15 + " 06 04"},
      {"no enquiry answer", {"--no-enquiry-answer"}, Fast::FromStart, 2, untouched, repeat(kEnq, 6)},
      {"four NAKs", {"--nak", "4"}, Fast::Never, 1, untouched, kEnq + " " + kRead15 + " 04"},
      {"neither ACK nor NAK", {"--bad-first-byte"}, Fast::Never, 2, untouched, kEnq + " " + kRead15 + " 04"},
      {"stops half-way", {"--stop-half"}, Fast::AfterPartialReply, 1, untouched, kEnq + " " + kRead15 + " 04"},
  };
  for (const Row& row : rows) {
    PlcSimProcess plc(kPort, row.faults, kScenario);
    ASSERT_TRUE(plc.ready()) << row.name;
    TestClock clock;
    const int handle = OpenCom(0, kPort, 9600, 8, 1, 0);
    ASSERT_NE(handle, 0) << row.name;
    std::array<unsigned char, 1024> reply;
    reply.fill(0xEE);
    if (row.fast == Fast::FromStart) clock.fastForward();
    auto order = std::async(std::launch::async, [&] { return Order50(handle, 15, 1, reply.data()); });
    if (row.fast == Fast::AfterPartialReply) {
      EXPECT_TRUE(plc.waitFor("tx: 06"));
      // The half reply is on the line; it is taken once the order has polled
      // again, which its own waits on the clock show (real time proves
      // nothing on a loaded machine).
      const auto sent = clock.now();
      while (clock.now() < sent + 50 && order.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
      }
      clock.fastForward();
    }
    if (order.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      ADD_FAILURE() << row.name << ": order still running";
      clock.fastForward();
    }
    EXPECT_EQ(order.get(), row.result) << row.name;
    EXPECT_EQ(toHex(std::span(reply).first(wirelet_test::fromHex(row.reply).size())), row.reply) << row.name;
    EXPECT_EQ(plc.receivedUntilMarker(handle), row.wire) << row.name;
    EXPECT_EQ(CloseCom(handle), 1) << row.name;
  }
}

TEST(WireletAgainstPlcSim, ReadsAndWritesPlcMemory) {
  PlcSimProcess plc(kPort, {}, R"({
    "bytes": [{"address": 355, "hex": "01 02 03 00 12 00 00 00 00 00 00 00 00 12"}],
    "words": [{"address": 16064, "data": [0, "0x0192", "0x0168", 1, 1, 255, 255, 255, 0]}]})");
  ASSERT_TRUE(plc.ready());
  TestClock clock;
  const int handle = OpenCom(0, kPort, 9600, 8, 1, 0);
  ASSERT_NE(handle, 0);
  std::vector<unsigned char> reply(4096);

  ASSERT_EQ(Order50(handle, 355, 44, reply.data()), 6);
  EXPECT_EQ(toHex(std::span(reply).subspan(4, 14)), "01 02 03 00 12 00 00 00 00 00 00 00 00 12");
  ASSERT_EQ(Order40(handle, 0x3EC0, 16, reply.data()), 6);
  EXPECT_EQ(toHex(std::span(reply).subspan(4, 8)), "3E C0 00 00 92 01 68 01");

  const unsigned char words[] = {0x50, 0x00};
  ASSERT_EQ(Order46(handle, 0x3EC0 + 14, 1, words, reply.data()), 6);
  ASSERT_EQ(Order40(handle, 0x3EC0 + 14, 1, reply.data()), 6);
  EXPECT_EQ(reply[6], 0x50);

  // A reply longer than any 1024-byte buffer comes through whole.
  std::vector<unsigned char> block(3000);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<unsigned char>(i % 251);
  ASSERT_EQ(Order51(handle, 20000, 1000, block.data(), reply.data()), 6);
  ASSERT_EQ(Order51(handle, 21000, 1000, block.data() + 1000, reply.data()), 6);
  ASSERT_EQ(Order50(handle, 20000, 2000, reply.data()), 6);
  EXPECT_TRUE(std::equal(block.begin(), block.begin() + 2000, reply.begin() + 4));
  // Longer than the request buffer: refused, nothing sent.
  plc.receivedUntilMarker(handle);
  EXPECT_EQ(Order51(handle, 20000, 3000, block.data(), reply.data()), 1);
  EXPECT_EQ(plc.receivedUntilMarker(handle), "");
  EXPECT_EQ(CloseCom(handle), 1);
}

// The next order's flush must not swallow the EOT that ended the one before,
// even when it is still on its way to the PLC.
TEST(WireletAgainstPlcSim, EveryOrderOfARunEndsWithItsEot) {
  constexpr int kOrders = 30;
  PlcSimProcess plc(kPort, {}, kScenario);
  ASSERT_TRUE(plc.ready());
  TestClock clock;
  const int handle = OpenCom(0, kPort, 9600, 8, 1, 0);
  ASSERT_NE(handle, 0);
  std::array<unsigned char, 1024> reply;
  for (int i = 0; i < kOrders; ++i) ASSERT_EQ(Order50(handle, 15, 1, reply.data()), 6) << i;
  EXPECT_EQ(plc.receivedUntilMarker(handle), repeat(kEnq + " " + kRead15 + " 06 04", kOrders));
  EXPECT_EQ(CloseCom(handle), 1);
}

TEST(WireletAgainstPlcSim, OpenAndCloseReportFailure) {
  EXPECT_EQ(OpenCom(0, 0, 9600, 8, 1, 0), 0);
  EXPECT_EQ(OpenCom(0, 97, 9600, 8, 1, 0), 0);
  EXPECT_EQ(CloseCom(0), 0);
  EXPECT_EQ(CloseCom(123456), 0);
}

}  // namespace
