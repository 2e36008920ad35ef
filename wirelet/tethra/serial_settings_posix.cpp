#include <termios.h>

#include "wirelet/tethra/serial_settings.h"

namespace tethra {
namespace {

struct BaudCode {
  int baud;
  speed_t code;
};

constexpr BaudCode kBaudCodes[] = {
    {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},
    {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400},
};

std::optional<speed_t> baudCode(int baud) {
  for (const auto& entry : kBaudCodes)
    if (entry.baud == baud) return entry.code;
  return std::nullopt;
}

tcflag_t sizeFlag(int dataBits) {
  switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
  }
}

}  // namespace

std::optional<SerialSettings> makeSerialSettings(int baud, int dataBits, int stopBits, int parity) {
  if (!baudCode(baud) || dataBits < 5 || dataBits > 8) return std::nullopt;
  if (stopBits < 0 || stopBits > 2 || parity < 0 || parity > 2) return std::nullopt;
  SerialSettings settings;
  settings.baud = baud;
  settings.dataBits = dataBits;
  settings.stopBits = stopBits == 2 ? 2 : 1;
  settings.parity = static_cast<Parity>(parity);
  return settings;
}

bool applySerialSettings(int fd, const SerialSettings& settings) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
  tio.c_cflag |= CLOCAL | CREAD | sizeFlag(settings.dataBits);
  if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
  if (settings.parity != Parity::None) tio.c_cflag |= PARENB;
  if (settings.parity == Parity::Odd) tio.c_cflag |= PARODD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  const speed_t code = *baudCode(settings.baud);
  if (::cfsetispeed(&tio, code) != 0 || ::cfsetospeed(&tio, code) != 0) return false;
  return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace tethra
