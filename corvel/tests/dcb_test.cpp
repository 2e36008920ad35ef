// The control block built from a record, byte for byte, and the read/write
// time-out plans of the Windows time-out rules.
#include <gtest/gtest.h>

#include "corvel/comm_dcb.h"
#include "corvel/comm_timeouts.h"

namespace {

using corvel::buildDcb;
using corvel::DcbBytes;

tagPPARAM recordWith(std::uint8_t baud, std::uint8_t parity, std::uint8_t stop, std::uint8_t bits) {
  tagPPARAM r{};
  pparam::setU8(r, pparam::kBaudCode, baud);
  pparam::setU8(r, pparam::kParityCode, parity);
  pparam::setU8(r, pparam::kStopBitsCode, stop);
  pparam::setU8(r, pparam::kDataBits, bits);
  return r;
}

TEST(CorvelDcb, MatchesTheWindowsLayoutByteForByte) {
  tagPPARAM r = recordWith(4, 1, 1, 7);  // 19200 baud, even parity, two stop bits, 7 data bits
  pparam::setU8(r, pparam::kCtsFlow, 1);
  pparam::setU8(r, pparam::kRtsToggle, 1);
  const DcbBytes expected = {
      28, 0, 0, 0,                 // DCBlength
      0x00, 0x4B, 0, 0,            // BaudRate 19200
      0x05, 0x30, 0, 0,            // fBinary, fOutxCtsFlow, fRtsControl = toggle (3 << 12)
      0, 0,                        // wReserved
      0, 0, 0, 0,                  // XonLim, XoffLim
      7, 2, 2,                     // ByteSize, Parity EVEN, StopBits TWO
      0, 0, 0, 0, 0,               // XonChar, XoffChar, ErrorChar, EofChar, EvtChar
      0, 0};                       // wReserved1
  EXPECT_EQ(buildDcb(r), expected);
}

TEST(CorvelDcb, PlainRecordHoldsRtsOnAndNothingElse) {
  const DcbBytes dcb = buildDcb(recordWith(0, 0, 0, 8));
  EXPECT_EQ(dcb[8], 0x01);   // fBinary only; DTR disabled
  EXPECT_EQ(dcb[9], 0x10);   // fRtsControl = enable
  EXPECT_EQ(dcb[4] | dcb[5] << 8, 1200);
  EXPECT_EQ(dcb[18], 8);
  EXPECT_EQ(dcb[19], corvel::kNoParity);
  EXPECT_EQ(dcb[20], corvel::kOneStopBit);
}

TEST(CorvelDcb, CodesMapToRatesParitiesAndStopBits) {
  struct Row { std::uint8_t baud, parity, stop; std::uint32_t rate; std::uint8_t dcbParity, dcbStop; };
  const Row rows[] = {
      {0, 0, 0, 1200, corvel::kNoParity, corvel::kOneStopBit},
      {1, 1, 1, 2400, corvel::kEvenParity, corvel::kTwoStopBits},
      {2, 2, 2, 4800, corvel::kOddParity, corvel::kOneStopBit},
      {3, 3, 0, 9600, corvel::kNoParity, corvel::kOneStopBit},
      {4, 0, 0, 19200, corvel::kNoParity, corvel::kOneStopBit},
      {5, 0, 0, 38400, corvel::kNoParity, corvel::kOneStopBit},
      {6, 0, 0, 9600, corvel::kNoParity, corvel::kOneStopBit},
      {9, 0, 0, 9600, corvel::kNoParity, corvel::kOneStopBit},
      {255, 255, 255, 9600, corvel::kNoParity, corvel::kOneStopBit},
  };
  for (const Row& row : rows) {
    const auto s = corvel::decodeDcb(buildDcb(recordWith(row.baud, row.parity, row.stop, 8)));
    EXPECT_EQ(s.baudRate, row.rate) << int(row.baud);
    EXPECT_EQ(s.parity, row.dcbParity) << int(row.parity);
    EXPECT_EQ(s.stopBits, row.dcbStop) << int(row.stop);
    EXPECT_FALSE(s.checkParity);
    EXPECT_EQ(s.dtrControl, corvel::kDtrDisable);
  }
}

TEST(CorvelDcb, RtsTogglesForAnyOfItsThreeReasons) {
  struct Row { std::uint8_t toggle, interfaceType, rs485; unsigned rts; };
  const Row rows[] = {
      {0, 0, 0, corvel::kRtsEnable}, {1, 0, 0, corvel::kRtsToggle}, {0, 2, 0, corvel::kRtsToggle},
      {0, 0, 1, corvel::kRtsToggle}, {0, 1, 2, corvel::kRtsEnable}, {0, 3, 0, corvel::kRtsEnable}};
  for (const Row& row : rows) {
    tagPPARAM r = recordWith(3, 0, 0, 8);
    pparam::setU8(r, pparam::kRtsToggle, row.toggle);
    pparam::setU8(r, pparam::kInterfaceType, row.interfaceType);
    pparam::setU8(r, pparam::kRs485Mode, row.rs485);
    EXPECT_EQ(corvel::decodeDcb(buildDcb(r)).rtsControl, row.rts)
        << int(row.toggle) << int(row.interfaceType) << int(row.rs485);
  }
}

TEST(CorvelReadPlan, FollowsTheWindowsTimeOutRules) {
  using corvel::CommTimeouts;
  using corvel::kMaxDword;
  const auto plan = [](CommTimeouts t, std::size_t n) { return corvel::planRead(t, n); };
  EXPECT_TRUE(plan({kMaxDword, 0, 0, 0, 0}, 10).returnBufferedOnly);
  const auto firstByte = plan({kMaxDword, kMaxDword, 200, 0, 0}, 10);
  EXPECT_TRUE(firstByte.returnAfterFirstByte);
  EXPECT_EQ(firstByte.total, 200u);
  const auto total = plan({0, 10, 300, 0, 0}, 5);
  EXPECT_FALSE(total.returnBufferedOnly);
  EXPECT_EQ(total.total, 350u);
  EXPECT_FALSE(total.interval.has_value());
  const auto none = plan({0, 0, 0, 0, 0}, 5);  // no total: waits for every byte
  EXPECT_FALSE(none.total.has_value());
  EXPECT_EQ(plan({20, 0, 0, 0, 0}, 5).interval, 20u);
  EXPECT_EQ(plan({0, kMaxDword, kMaxDword, 0, 0}, 2).total, 3ull * kMaxDword);  // no 32-bit wrap
  EXPECT_EQ(corvel::writeLimit({0, 0, 0, 50, 3000}, 4), 3200u);
  EXPECT_FALSE(corvel::writeLimit({}, 4).has_value());
}

}  // namespace
