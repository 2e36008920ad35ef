// Control block line settings in termios form.
#include <gtest/gtest.h>

#include <cerrno>

#include "corvel/termios_settings_linux.h"

namespace {

using corvel::LineSettings;

LineSettings line(std::uint32_t baud, std::uint8_t bits, std::uint8_t parity, std::uint8_t stop) {
  LineSettings s;
  s.baudRate = baud;
  s.byteSize = bits;
  s.parity = parity;
  s.stopBits = stop;
  return s;
}

TEST(CorvelTermios, FramingAndSpeedFollowTheBlock) {
  struct Row { LineSettings s; speed_t speed; tcflag_t cflag; };
  const Row rows[] = {
      {line(9600, 8, corvel::kNoParity, corvel::kOneStopBit), B9600, CS8},
      {line(1200, 7, corvel::kEvenParity, corvel::kTwoStopBits), B1200, CS7 | PARENB | CSTOPB},
      {line(38400, 8, corvel::kOddParity, corvel::kOneStopBit), B38400, CS8 | PARENB | PARODD},
      {line(19200, 6, corvel::kMarkParity, corvel::kOneStopBit), B19200, CS6 | PARENB | PARODD | CMSPAR},
      {line(115200, 5, corvel::kSpaceParity, corvel::kOne5StopBits), B115200, CS5 | PARENB | CMSPAR | CSTOPB},
  };
  for (const Row& row : rows) {
    termios tio{};
    tio.c_lflag = ICANON | ECHO;
    tio.c_iflag = ICRNL;
    tio.c_oflag = OPOST;
    ASSERT_EQ(corvel::device::toTermios(row.s, tio), 0) << row.s.baudRate;
    EXPECT_EQ(cfgetospeed(&tio), row.speed);
    EXPECT_EQ(cfgetispeed(&tio), row.speed);
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS), row.cflag);
    EXPECT_EQ(tio.c_cflag & (CREAD | CLOCAL), tcflag_t{CREAD | CLOCAL});
    EXPECT_EQ(tio.c_lflag | tio.c_oflag | tio.c_iflag, 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
  }
}

TEST(CorvelTermios, FlowControlFlags) {
  LineSettings s = line(9600, 8, corvel::kNoParity, corvel::kOneStopBit);
  s.ctsOutputFlow = true;
  s.checkParity = true;
  s.xonXoffOut = true;
  termios tio{};
  ASSERT_EQ(corvel::device::toTermios(s, tio), 0);
  EXPECT_TRUE(tio.c_cflag & CRTSCTS);
  EXPECT_EQ(tio.c_iflag, tcflag_t{INPCK | IXON});
}

TEST(CorvelTermios, RefusesWhatTermiosCannotDo) {
  const LineSettings rows[] = {
      line(9601, 8, corvel::kNoParity, corvel::kOneStopBit),
      line(0, 8, corvel::kNoParity, corvel::kOneStopBit),
      line(9600, 4, corvel::kNoParity, corvel::kOneStopBit),
      line(9600, 9, corvel::kNoParity, corvel::kOneStopBit),
      line(9600, 8, 5, corvel::kOneStopBit),
      line(9600, 8, corvel::kNoParity, 3),
      line(9600, 8, corvel::kNoParity, corvel::kOne5StopBits),  // 1.5 only with 5 bits
  };
  for (const LineSettings& s : rows) {
    termios tio{};
    EXPECT_EQ(corvel::device::toTermios(s, tio), EINVAL)
        << s.baudRate << " " << int(s.byteSize) << " " << int(s.parity) << " " << int(s.stopBits);
  }
}

}  // namespace
