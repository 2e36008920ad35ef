#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>

#include "wirelet/order_requests.h"
#include "wirelet/tests/hex.h"
#include "wirelet/tests/plc_sim_process.h"
#include "wirelet/tests/test_clock.h"
#include "wirelet/wirelet.h"

namespace {

using namespace wirelet::orders;
using wirelet_test::toHex;

std::set<std::string> definedDynamicSymbols(const std::string& library) {
  std::set<std::string> names;
  const std::string command = std::string(TRAX_NM) + " -D --defined-only --format=posix " + library;
  std::FILE* out = ::popen(command.c_str(), "r");
  if (!out) return names;
  char line[512];
  while (std::fgets(line, sizeof line, out)) {
    std::string text(line);
    names.insert(text.substr(0, text.find(' ')));
  }
  ::pclose(out);
  return names;
}

TEST(WireletExports, ExactlyTheOrdersAndTheLinkCallsLeaveTheLibraries) {
  const std::set<std::string> wirelet{
      "OpenCom", "CloseCom", "Order00", "Order01", "Order10", "Order20", "Order21", "Order22",
      "Order23", "Order24", "Order25", "Order26", "OrderA6", "Order27", "Order29", "Order2A",
      "Order2B", "Order2C", "Order40", "OrderC0", "Order41", "Order43", "Order44", "OrderC4",
      "Order45", "OrderC5", "Order46", "Order48", "Order49", "Order50", "Order51", "Order61_00",
      "Order61_02", "Order61_12", "Order61_13", "Order70", "Order71"};
  EXPECT_EQ(definedDynamicSymbols(WIRELET_LIBRARY), wirelet);
  const std::set<std::string> tethra{
      "OpenConnection", "CloseConnection", "FlushCom", "WriteCom", "ReadComNum", "ReadCom",
      "SetTimeOut",     "GetTimeOut",      "TethraSetClock", "TethraSleep"};
  EXPECT_EQ(definedDynamicSymbols(TETHRA_LIBRARY), tethra);
}

struct ExportRow {
  std::function<OrderResult(int, unsigned char*)> call;
  wirelet::OrderRequest request;  // what the call must put on the wire
};

// Each export called with distinct arguments puts its arguments in the
// right places, and plc-sim answers it at the length the export expects.
TEST(WireletExports, EveryExportSendsItsRequestAndGetsItsReply) {
  static const unsigned char d[600] = {0x11, 0x12, 0x13, 0x14, 0x15, 0x16};
  static const unsigned char d2[3] = {0x21, 0x22, 0x23};
  const ExportRow rows[] = {
      {[](int h, unsigned char* r) { return Order00(h, 0x5A, 0xA5, r); }, order00(0x5A, 0xA5)},
      {[](int h, unsigned char* r) { return Order01(h, r); }, order01()},
      {[](int h, unsigned char* r) { return Order10(h, r); }, order10()},
      {[](int h, unsigned char* r) { return Order20(h, 0x1234, r); }, order20(0x1234)},
      {[](int h, unsigned char* r) { return Order21(h, 0x1234, 200, d, r); }, order21(0x1234, 200, d)},
      {[](int h, unsigned char* r) { return Order22(h, 0x1234, 0xABCD, r); }, order22(0x1234, 0xABCD)},
      {[](int h, unsigned char* r) { return Order23(h, 0x1234, 2, d, r); }, order23(0x1234, 2, d)},
      {[](int h, unsigned char* r) { return Order24(h, 0x1234, 2, d, r); }, order24(0x1234, 2, d)},
      {[](int h, unsigned char* r) { return Order25(h, 0x1234, 0xABCD, r); }, order25(0x1234, 0xABCD)},
      {[](int h, unsigned char* r) { return Order26(h, 0x1234, r); }, order26(0x1234)},
      {[](int h, unsigned char* r) { return OrderA6(h, 0x1234, r); }, orderA6(0x1234)},
      {[](int h, unsigned char* r) { return Order27(h, r); }, order27()},
      {[](int h, unsigned char* r) { return Order29(h, 0x1234, 0xABCD, r); }, order29(0x1234, 0xABCD)},
      {[](int h, unsigned char* r) { return Order2A(h, 0x1234, 2, r); }, order2A(0x1234, 2)},
      {[](int h, unsigned char* r) { return Order2B(h, 0x1234, 2, d, r); }, order2B(0x1234, 2, d)},
      {[](int h, unsigned char* r) { return Order2C(h, 0x1234, d, d2, r); }, order2C(0x1234, d, d2)},
      {[](int h, unsigned char* r) { return Order40(h, 0x1234, 25, r); }, order40(0x1234, 25)},
      {[](int h, unsigned char* r) { return OrderC0(h, 0x1234, 2, r); }, orderC0(0x1234, 2)},
      {[](int h, unsigned char* r) { return Order41(h, 0x1234, 2, 0xABCD, r); }, order41(0x1234, 2, 0xABCD)},
      {[](int h, unsigned char* r) { return Order43(h, 0x1234, 0x5678, 0xABCD, r); },
       order43(0x1234, 0x5678, 0xABCD)},
      {[](int h, unsigned char* r) { return Order44(h, 0x1234, r); }, order44(0x1234)},
      {[](int h, unsigned char* r) { return OrderC4(h, 0x1234, r); }, orderC4(0x1234)},
      {[](int h, unsigned char* r) { return Order45(h, 0x1234, r); }, order45(0x1234)},
      {[](int h, unsigned char* r) { return OrderC5(h, 0x1234, r); }, orderC5(0x1234)},
      {[](int h, unsigned char* r) { return Order46(h, 0x1234, 0, d, r); }, order46(0x1234, 0, d)},
      {[](int h, unsigned char* r) { return Order48(h, r); }, order48()},
      {[](int h, unsigned char* r) { return Order49(h, 0x1234, 0xABCD, r); }, order49(0x1234, 0xABCD)},
      {[](int h, unsigned char* r) { return Order50(h, 0x1234, 0x0102, r); }, order50(0x1234, 0x0102)},
      {[](int h, unsigned char* r) { return Order51(h, 0x1234, 3, d, r); }, order51(0x1234, 3, d)},
      {[](int h, unsigned char* r) { return Order61_00(h, 0x5A, r); }, order61_00(0x5A)},
      {[](int h, unsigned char* r) { return Order61_02(h, 0x5A, r); }, order61_02(0x5A)},
      {[](int h, unsigned char* r) { return Order61_12(h, 0xBE, 0x01020304, 7, r); },
       order61_12(0xBE, 0x01020304, 7)},
      {[](int h, unsigned char* r) { return Order61_13(h, 0x5A, 0x01020304, 3, d, r); },
       order61_13(0x5A, 0x01020304, 3, d)},
      {[](int h, unsigned char* r) { return Order70(h, 0x5A, 2, 0x1234, r); }, order70(0x5A, 2, 0x1234)},
      {[](int h, unsigned char* r) { return Order71(h, 0x5A, 2, 0x1234, d, r); },
       order71(0x5A, 2, 0x1234, d)},
  };
  wirelet_test::PlcSimProcess plc(8, {});
  ASSERT_TRUE(plc.ready());
  wirelet_test::TestClock clock;
  const int handle = OpenCom(0, 8, 9600, 8, 1, 0);
  ASSERT_NE(handle, 0);
  std::vector<unsigned char> reply(1024);
  for (const ExportRow& row : rows) {
    const std::string expected = toHex(row.request.bytes());
    const OrderResult result = row.call(handle, reply.data());
    // Orders that expect 1024 bytes can only end with a marker reply.
    EXPECT_EQ(result, row.request.expectedReply() == 1024 ? 3 : 6) << expected;
    EXPECT_EQ(plc.waitFor("request: "), expected);
  }
  EXPECT_EQ(CloseCom(handle), 1);
}

}  // namespace
