#include <gtest/gtest.h>

#include <functional>

#include "sim/plc_sim/order_executor.h"
#include "sim/plc_sim/order_layout.h"
#include "wirelet/order_requests.h"
#include "wirelet/tests/hex.h"

namespace {

using namespace wirelet::orders;
using plc_sim::PlcMemory;
using wirelet::OrderRequest;
using wirelet_test::toHex;
using Bytes = std::vector<std::uint8_t>;

const Bytes kData(1100, 0x4B);  // data full of bytes that look like the enquiry
const std::uint8_t* const d = kData.data();

Bytes requestBytes(const OrderRequest& request) { return {request.bytes().begin(), request.bytes().end()}; }

// The simulator learns each request's length from its first bytes and
// answers with the length the library expects: the two tables agree.
TEST(PlcOrders, EveryOrderIsFramedAndAnsweredAtTheExpectedLength) {
  const std::function<OrderRequest()> builds[] = {
      [] { return order00(1, 2); }, [] { return order01(); }, [] { return order10(); },
      [] { return order20(5); }, [] { return order21(5, 200, d); }, [] { return order22(5, 6); },
      [] { return order23(5, 0, d); }, [] { return order23(5, 9, d); }, [] { return order24(5, 7, d); },
      [] { return order25(5, 6); }, [] { return order26(5); }, [] { return orderA6(5); },
      [] { return order27(); }, [] { return order29(5, 6); }, [] { return order2A(5, 4); },
      [] { return order2B(5, 0, d); }, [] { return order2C(5, d, d); }, [] { return order40(5, 0); },
      [] { return orderC0(5, 25); }, [] { return order41(5, 3, 9); }, [] { return order43(5, 6, 7); },
      [] { return order44(5); }, [] { return orderC4(5); }, [] { return order45(5); },
      [] { return orderC5(5); }, [] { return order46(5, 0, d); }, [] { return order48(); },
      [] { return order49(5, 6); }, [] { return order50(5, 300); }, [] { return order51(5, 1000, d); },
      [] { return order61_00(0x30); }, [] { return order61_02(1); },
      [] { return order61_12(0xBE, 1, 7); }, [] { return order61_13(3, 0x10000, 1000, d); },
      [] { return order70(3, 40, 6); }, [] { return order71(3, 255, 6, d); },
  };
  for (const auto& build : builds) {
    const OrderRequest request = build();
    const Bytes bytes = requestBytes(request);
    const std::string name = toHex(std::span(bytes).first(4));
    for (std::size_t have = 1; have < bytes.size(); ++have) {
      const auto length = plc_sim::requestLength(std::span(bytes).first(have));
      ASSERT_TRUE(length.state == plc_sim::LengthState::NeedMore ||
                  (length.state == plc_sim::LengthState::Known && length.length == bytes.size()))
          << name << " after " << have;
    }
    ASSERT_TRUE(plc_sim::requestIsWellFormed(bytes)) << name;
    PlcMemory memory;
    const Bytes reply = plc_sim::carryOut(bytes, memory, nullptr);
    const bool openEnded = request.expectedReply() == 1024;
    EXPECT_EQ(reply.size(), openEnded ? 8 : request.expectedReply()) << name;
    if (openEnded) {
      EXPECT_EQ(reply[3], 0xFC) << name;
    }
    EXPECT_EQ(reply[reply.size() - 2], 0x17) << name;
    EXPECT_EQ(reply.back(), plc_sim::xorOf(std::span(reply).subspan(1, reply.size() - 3))) << name;
  }
}

Bytes run(PlcMemory& memory, const OrderRequest& request, plc_sim::PlcHooks* hooks = nullptr) {
  return plc_sim::carryOut(requestBytes(request), memory, hooks);
}

std::string payloadOf(const Bytes& reply) { return toHex(std::span(reply).subspan(4, reply.size() - 6)); }

struct RecordingHooks : plc_sim::PlcHooks {
  std::vector<std::string> calls;
  void afterByteWrite(PlcMemory&, std::size_t a, std::size_t n) override {
    calls.push_back("bytes " + std::to_string(a) + "+" + std::to_string(n));
  }
  void afterWordWrite(PlcMemory&, std::size_t a, std::size_t n) override {
    calls.push_back("words " + std::to_string(a) + "+" + std::to_string(n));
  }
  std::optional<Bytes> areaRead(const PlcMemory&, std::uint8_t area, std::uint32_t, std::size_t) override {
    if (area != 0xBE) return std::nullopt;
    return Bytes{0x00, 0x11, 0x22};
  }
};

TEST(PlcOrders, WritesLandInMemoryAndReadsReturnThem) {
  PlcMemory memory;
  RecordingHooks hooks;
  const std::uint8_t bytes[] = {0x5A, 0x00, 0x7A};
  EXPECT_EQ(payloadOf(run(memory, order51(1088, 3, bytes), &hooks)), "00");
  EXPECT_EQ(payloadOf(run(memory, order50(1087, 5))), "00 5A 00 7A 00");

  // Words travel low byte first; the word reply echoes the address first.
  const std::uint8_t words[] = {0x92, 0x01, 0x68, 0x01};
  EXPECT_EQ(payloadOf(run(memory, order46(0x3EC1, 2, words), &hooks)), "00");
  EXPECT_EQ(payloadOf(run(memory, order40(0x3EC0, 3))), "3E C0 00 00 92 01 68 01");
  EXPECT_EQ(memory.readWords(0x3EC1, 1)->front(), 0x0192);

  const std::uint8_t mac[] = {0x00, 0x0A, 0x35};
  run(memory, order61_13(0x30, 0xFFFFFFFF, 3, mac));
  EXPECT_EQ(payloadOf(run(memory, order61_12(0x30, 0xFFFFFFFF, 4))), "00 0A 35 00");
  run(memory, order71(0x31, 2, 7, mac));
  EXPECT_EQ(payloadOf(run(memory, order70(0x31, 3, 6))), "00 00 0A");
  EXPECT_EQ(payloadOf(run(memory, order61_12(0xBE, 1, 5), &hooks)), "00 11 22 00 00");

  EXPECT_EQ(hooks.calls, (std::vector<std::string>{"bytes 1088+3", "words 16065+2"}));
}

TEST(PlcOrders, AccessPastTheEndOfAnAreaIsRefusedWithAMarker) {
  PlcMemory memory;
  const std::uint8_t two[] = {1, 2, 3, 4};
  for (const OrderRequest& request : {order50(0xFFFF, 2), order51(0xFFFF, 2, two),
                                      order40(0xFFFF, 2), order46(0xFFFF, 2, two)}) {
    const Bytes reply = run(memory, request);
    EXPECT_EQ(reply.size(), 8u) << toHex(reply);
    EXPECT_EQ(reply[3], 0xFC) << toHex(reply);
  }
  // Well framed but not of its order's length: the parameters are not read.
  for (const char* request : {"01 50 01 0F 00 17 5E", "01 61 01 12 00 17 72", "01 48 01 00 17 49"}) {
    const Bytes reply = plc_sim::carryOut(wirelet_test::fromHex(request), memory, nullptr);
    EXPECT_EQ(reply.size(), 8u) << request;
    EXPECT_EQ(reply[3], 0xFC) << request;
  }
  EXPECT_EQ(payloadOf(run(memory, order50(0xFFFF, 1))), "00");
  EXPECT_EQ(memory.readBytes(0xFFFF, 1)->front(), 0);
}

}  // namespace
