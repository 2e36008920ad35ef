#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "wirelet/order_requests.h"
#include "wirelet/tests/hex.h"

namespace {

using namespace wirelet::orders;
using wirelet::OrderRequest;
using wirelet_test::fromHex;
using wirelet_test::toHex;

// Data bytes 0x11, 0x12, ... so that their place in the request shows.
const std::vector<std::uint8_t>& pattern() {
  static const std::vector<std::uint8_t> bytes = [] {
    std::vector<std::uint8_t> b(2048);
    std::iota(b.begin(), b.end(), std::uint8_t{0x11});
    return b;
  }();
  return bytes;
}
const std::uint8_t* const d = pattern().data();
const std::uint8_t d2[3] = {0x21, 0x22, 0x23};

struct Row {
  const char* name;
  std::function<OrderRequest()> build;
  const char* command;  // hex of the command code
  const char* params;   // hex of the bytes between 01 <code> 01 and ETB
  std::size_t expected;
};

// The frame around the parameters: SOH, code, 0x01, parameters, ETB, XOR of
// everything between SOH and ETB.
std::vector<std::uint8_t> frame(const char* command, const char* params) {
  std::vector<std::uint8_t> bytes = fromHex(std::string("01 ") + command + " 01 " + params);
  std::uint8_t check = 0;
  for (std::size_t i = 1; i < bytes.size(); ++i) check ^= bytes[i];
  bytes.push_back(0x17);
  bytes.push_back(check);
  return bytes;
}

const Row kRows[] = {
    {"Order00", [] { return order00(0x5A, 0xA5); }, "00", "5A A5", 7},
    {"Order01", [] { return order01(); }, "01", "", 8},
    {"Order10", [] { return order10(); }, "10", "", 10},
    {"Order20", [] { return order20(0x1234); }, "20", "34 12", 1024},
    {"Order21", [] { return order21(0x1234, 2, d); }, "21", "34 12 02 11 12 13 14 15 16", 1024},
    {"Order22", [] { return order22(0x1234, 0xABCD); }, "22", "34 12 CD AB", 1024},
    {"Order23", [] { return order23(0x1234, 2, d); }, "23", "34 12 02 11 12 13 14 15 16", 15},
    {"Order24", [] { return order24(0x1234, 2, d); }, "24", "34 12 02 11 12 13 14 15 16", 15},
    {"Order25", [] { return order25(0x1234, 0xABCD); }, "25", "34 12 AB CD", 1024},
    {"Order26", [] { return order26(0x1234); }, "26", "34 12", 7},
    {"OrderA6", [] { return orderA6(0x1234); }, "A6", "34 12", 7},
    {"Order27", [] { return order27(); }, "27", "", 7},
    {"Order29", [] { return order29(0x1234, 0xABCD); }, "29", "34 12 CD AB", 7},
    {"Order2A", [] { return order2A(0x1234, 2); }, "2A", "34 12 02", 13},
    {"Order2A of 0", [] { return order2A(0x1234, 0); }, "2A", "34 12 00", 7},
    {"Order2B", [] { return order2B(0x1234, 2, d); }, "2B", "34 12 02 11 12 13 14 15 16", 7},
    {"Order2C", [] { return order2C(0x1234, d, d2); }, "2C", "34 12 11 12 13 21 22 23", 1024},
    {"Order40", [] { return order40(0x1234, 2); }, "40", "12 34 02", 12},
    {"Order40 of 25", [] { return order40(0x3EC0, 25); }, "40", "3E C0 19", 58},
    {"Order40 of 0", [] { return order40(0x3EC0, 0); }, "40", "3E C0 00", 520},
    {"OrderC0", [] { return orderC0(0x1234, 2); }, "C0", "12 34 02", 12},
    {"Order41", [] { return order41(0x1234, 2, 0xABCD); }, "41", "12 34 02 CD AB", 16},
    {"Order41 of 0", [] { return order41(0x1234, 0, 0xABCD); }, "41", "12 34 00 CD AB", 524},
    {"Order43", [] { return order43(0x1234, 0x5678, 0xABCD); }, "43", "12 34 56 78 CD AB", 10},
    {"Order44", [] { return order44(0x1234); }, "44", "12 34", 7},
    {"OrderC4", [] { return orderC4(0x1234); }, "C4", "12 34", 7},
    {"Order45", [] { return order45(0x1234); }, "45", "12 34", 7},
    {"OrderC5", [] { return orderC5(0x1234); }, "C5", "12 34", 7},
    {"Order46", [] { return order46(0x1234, 2, d); }, "46", "12 34 02 11 12 13 14", 7},
    {"Order48", [] { return order48(); }, "48", "", 7},
    {"Order49", [] { return order49(0x1234, 0xABCD); }, "49", "34 12 CD AB", 7},
    {"Order50", [] { return order50(0x1234, 0x0102); }, "50", "34 12 02 01", 264},
    {"Order51", [] { return order51(0x1234, 3, d); }, "51", "34 12 03 00 11 12 13", 7},
    {"Order61_00", [] { return order61_00(0x5A); }, "61", "5A 01", 38},
    {"Order61_02", [] { return order61_02(0x5A); }, "61", "02 5A", 7},
    {"Order61_12", [] { return order61_12(0x5A, 0x01020304, 0x0102); }, "61",
     "12 5A 01 02 03 04 02 01", 264},
    {"Order61_13", [] { return order61_13(0x5A, 0x01020304, 3, d); }, "61",
     "13 5A 01 02 03 04 03 00 11 12 13", 7},
    {"Order70", [] { return order70(0x5A, 2, 0x1234); }, "70", "5A 02 34 12", 8},
    // The byte after the data is 0.
    {"Order71", [] { return order71(0x5A, 2, 0x1234, d); }, "71", "5A 02 34 12 11 12 00", 7},
};

TEST(OrderRequests, EveryOrderFramesItsParametersAsTabled) {
  for (const Row& row : kRows) {
    const OrderRequest request = row.build();
    ASSERT_FALSE(request.refused()) << row.name;
    EXPECT_EQ(toHex(request.bytes()), toHex(frame(row.command, row.params))) << row.name;
    EXPECT_EQ(request.expectedReply(), row.expected) << row.name;
  }
}

TEST(OrderRequests, ExamplesMatchByteForByte) {
  EXPECT_EQ(toHex(order48().bytes()), "01 48 01 17 49");
  const OrderRequest read = order50(15, 1);
  EXPECT_EQ(toHex(read.bytes()), "01 50 01 0F 00 01 00 17 5F");
  EXPECT_EQ(read.expectedReply(), 7u);
  const OrderRequest mac = order61_12(0xBE, 0, 7);
  EXPECT_EQ(mac.bytes().size(), 13u);
  EXPECT_EQ(mac.expectedReply(), 13u);
}

// Requests whose data length comes from a count: the whole data goes out.
TEST(OrderRequests, CountedDataIsSentWhole) {
  struct Case {
    const char* name;
    OrderRequest request;
    std::size_t dataAt, dataBytes, length, expected;
  };
  const Case cases[] = {
      {"Order46 of 0 (256 words)", order46(1, 0, d), 6, 512, 520, 7},
      {"Order21 of 200", order21(1, 200, d), 6, 600, 608, 1024},
      {"Order24 of 255", order24(1, 255, d), 6, 765, 773, 774},
      {"Order23 of 0 (256 triples)", order23(1, 0, d), 6, 768, 776, 777},
      {"Order2B of 0 (256 triples)", order2B(1, 0, d), 6, 768, 776, 7},
      {"Order21 of 0", order21(1, 0, d), 6, 0, 8, 1024},
      {"Order51 of 1015", order51(1, 1015, d), 7, 1015, 1024, 7},
      {"Order61_13 of 1011", order61_13(1, 2, 1011, d), 11, 1011, 1024, 7},
      {"Order71 of 255", order71(1, 255, 2, d), 7, 255, 265, 7},
  };
  for (const Case& c : cases) {
    const auto bytes = c.request.bytes();
    ASSERT_FALSE(c.request.refused()) << c.name;
    ASSERT_EQ(bytes.size(), c.length) << c.name;
    EXPECT_EQ(c.request.expectedReply(), c.expected) << c.name;
    EXPECT_TRUE(std::equal(d, d + c.dataBytes, bytes.begin() + c.dataAt)) << c.name;
    std::uint8_t check = 0;
    for (std::size_t i = 1; i + 2 < bytes.size(); ++i) check ^= bytes[i];
    EXPECT_EQ(bytes[bytes.size() - 2], 0x17) << c.name;
    EXPECT_EQ(bytes.back(), check) << c.name;
  }
}

// A request that does not fit the 1024-byte buffer, or whose data is
// missing, is refused rather than cut short or read from nowhere.
TEST(OrderRequests, OverlongOrDatalessRequestsAreRefused) {
  EXPECT_TRUE(order51(1, 1016, d).refused());
  EXPECT_TRUE(order51(1, 0xFFFF, d).refused());
  EXPECT_TRUE(order61_13(1, 2, 1012, d).refused());
  EXPECT_TRUE(order51(1, 3, nullptr).refused());
  EXPECT_TRUE(order46(1, 1, nullptr).refused());
  EXPECT_TRUE(order2C(1, d, nullptr).refused());
  EXPECT_FALSE(order51(1, 0, nullptr).refused());
}

}  // namespace
