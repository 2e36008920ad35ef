#pragma once
// Number <-> text conversions of Tessor: register numbers in octal, lengths in
// decimal, table cells in the selected format. A conversion reads digits of the
// base from the start of the text ("as far as it converts") and reports how much
// it consumed, so callers decide whether left-over characters are an error.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessor {

struct Conversion {
  std::uint64_t value = 0;  // saturates instead of wrapping, so huge texts stay out of range
  std::size_t consumed = 0;
  bool complete = false;    // every character was a digit of the base (an empty text too)
};

// Digits 0-9 and A-F/a-f as far as they belong to `base` (2..16).
Conversion convertNumber(std::string_view text, int base);

struct SignedConversion {
  std::int64_t value = 0;
  bool complete = false;  // no character left over, and a sign is followed by digits
};

// A decimal number with an optional sign, as the length field is converted: "-1"
// is the number -1 (out of range), "1x" and "-" leave characters over.
SignedConversion convertSignedDecimal(std::string_view text);

// `value` printed in `base` (8, 10 or 16), hexadecimal digits upper case.
std::string formatNumber(std::uint64_t value, int base);

// 0 octal, 1 decimal, 2 hexadecimal; any other value counts as decimal.
int baseOfFormat(int format);

std::string toUpper(std::string_view text);

}  // namespace tessor
