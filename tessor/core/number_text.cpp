#include "tessor/core/number_text.h"

#include <algorithm>
#include <limits>

namespace tessor {

namespace {
int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 99;
}
}  // namespace

Conversion convertNumber(std::string_view text, int base) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  Conversion c;
  for (char ch : text) {
    const int d = digitValue(ch);
    if (d >= base) break;
    const auto b = static_cast<std::uint64_t>(base);
    c.value = c.value > (kMax - d) / b ? kMax : c.value * b + static_cast<std::uint64_t>(d);
    ++c.consumed;
  }
  c.complete = c.consumed == text.size();
  return c;
}

SignedConversion convertSignedDecimal(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  const bool signed_ = negative || (!text.empty() && text.front() == '+');
  const std::string_view digits = text.substr(signed_ ? 1 : 0);
  const Conversion c = convertNumber(digits, 10);
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  const auto magnitude = static_cast<std::int64_t>(std::min(c.value, kMax));
  return {negative ? -magnitude : magnitude, c.complete && !(signed_ && digits.empty())};
}

std::string formatNumber(std::uint64_t value, int base) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string reversed;
  do {
    reversed.push_back(kDigits[value % static_cast<std::uint64_t>(base)]);
    value /= static_cast<std::uint64_t>(base);
  } while (value != 0);
  return {reversed.rbegin(), reversed.rend()};
}

int baseOfFormat(int format) {
  switch (format) {
    case 0: return 8;
    case 2: return 16;
    default: return 10;
  }
}

std::string toUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace tessor
