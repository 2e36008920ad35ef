#pragma once
// The PLC keeps the module's numbers as BCD words: four decimal digits, one
// per nibble, so 192 is the word 0x0192.
#include <cstdint>

namespace orvane {

// The value whose decimal digits are the word's hexadecimal digits, read from
// the most significant nibble. A nibble above 9 ends the number there:
// 0x01A2 reads as 1, 0xA123 as 0.
unsigned bcdToValue(std::uint16_t word);

// The word whose hexadecimal digits are the decimal digits of `value`
// (192 becomes 0x0192).
std::uint16_t valueToBcd(std::uint8_t value);

}  // namespace orvane
