#pragma once
// The line settings OpenConnection receives, checked before any device is touched.
#include <optional>

namespace tethra {

enum class Parity { None, Odd, Even };

struct SerialSettings {
  int baud = 9600;
  int dataBits = 8;
  int stopBits = 1;
  Parity parity = Parity::None;
};

// The settings for OpenConnection's values; nothing when one is out of range
// (stop bits 0 is read as 1, as the Windows numbering has it).
std::optional<SerialSettings> makeSerialSettings(int baud, int dataBits, int stopBits, int parity);

// Puts an open terminal into raw mode with these settings; false when the
// device refuses (errno tells why).
bool applySerialSettings(int fd, const SerialSettings& settings);

}  // namespace tethra
