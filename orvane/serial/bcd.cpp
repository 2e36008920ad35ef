#include "bcd.h"

namespace orvane {

unsigned bcdToValue(std::uint16_t word) {
  unsigned value = 0;
  for (int shift = 12; shift >= 0; shift -= 4) {
    const unsigned digit = (word >> shift) & 0xF;
    if (digit > 9) break;
    value = value * 10 + digit;
  }
  return value;
}

std::uint16_t valueToBcd(std::uint8_t value) {
  return static_cast<std::uint16_t>(((value / 100) << 8) | (((value / 10) % 10) << 4) | (value % 10));
}

}  // namespace orvane
