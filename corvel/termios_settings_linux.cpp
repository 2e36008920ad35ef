// Translation of a control block's line settings into termios.
#include "corvel/termios_settings_linux.h"

#include <cerrno>

namespace corvel::device {
namespace {

bool speedOf(std::uint32_t baud, speed_t& speed) {
  struct Entry { std::uint32_t baud; speed_t speed; };
  static constexpr Entry kSpeeds[] = {
      {110, B110},     {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},
      {4800, B4800},   {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
      {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600}};
  for (const auto& e : kSpeeds) {
    if (e.baud == baud) {
      speed = e.speed;
      return true;
    }
  }
  return false;
}

// Character size, parity and stop bits as termios control flags.
int framingFlags(const LineSettings& s, tcflag_t& cflag) {
  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  if (s.byteSize < 5 || s.byteSize > 8) return EINVAL;
  cflag = kSizes[s.byteSize - 5];
  switch (s.parity) {
    case kNoParity: break;
    case kOddParity: cflag |= PARENB | PARODD; break;
    case kEvenParity: cflag |= PARENB; break;
    case kMarkParity: cflag |= PARENB | CMSPAR | PARODD; break;
    case kSpaceParity: cflag |= PARENB | CMSPAR; break;
    default: return EINVAL;
  }
  switch (s.stopBits) {
    case kOneStopBit: break;
    case kOne5StopBits:  // one and a half exists for 5-bit characters only
      if (s.byteSize != 5) return EINVAL;
      cflag |= CSTOPB;
      break;
    case kTwoStopBits: cflag |= CSTOPB; break;
    default: return EINVAL;
  }
  return 0;
}

}  // namespace

int toTermios(const LineSettings& s, termios& tio) {
  speed_t speed{};
  tcflag_t framing = 0;
  if (!speedOf(s.baudRate, speed)) return EINVAL;
  if (int error = framingFlags(s, framing)) return error;
  // Binary mode: no input or output processing, no echo, no signals; reads
  // return what is there (the time-outs are applied by the reads themselves).
  // Linux has no CTS-only output flow control: CRTSCTS also drives RTS.
  tio.c_iflag = (s.checkParity ? INPCK : 0) | (s.xonXoffOut ? IXON : 0) | (s.xonXoffIn ? IXOFF : 0);
  tio.c_oflag = 0;
  tio.c_lflag = 0;
  tio.c_cflag = CREAD | CLOCAL | framing | (s.ctsOutputFlow || s.rtsControl == kRtsHandshake ? CRTSCTS : 0);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return errno;
  return 0;
}

}  // namespace corvel::device
