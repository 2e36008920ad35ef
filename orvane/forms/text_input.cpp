#include "text_input.h"

#include <limits>

namespace orvane::forms {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The code point of the sequence at `at` and its length in bytes; a broken
// sequence is one byte long and decodes as U+FFFD.
std::pair<char32_t, std::size_t> decodeOne(std::string_view s, std::size_t at) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[at + i]); };
  const unsigned char lead = b(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2, min = 0x80;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, min = 0x800;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, min = 0x10000;
  if (length == 0 || at + length > s.size()) return {kReplacement, 1};
  char32_t cp = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if (!continuation(b(i))) return {kReplacement, 1};
    cp = (cp << 6) | (b(i) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {kReplacement, 1};
  return {cp, length};
}

bool isSpace(char16_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

struct Parsed {
  bool negative = false;
  std::uint64_t magnitude = 0;  // stops growing once above 2^32
};

Parsed parseNumber(std::u16string_view text) {
  Parsed p;
  std::size_t i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) p.negative = text[i++] == '-';
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (p.magnitude <= (1ull << 32)) p.magnitude = p.magnitude * 10 + (text[i] - '0');
  }
  return p;
}

}  // namespace

std::u16string toUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const auto [cp, length] = decodeOne(utf8, at);
    at += length;
    if (cp < 0x10000) {
      out.push_back(static_cast<char16_t>(cp));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    }
  }
  return out;
}

std::size_t characterCount(std::string_view utf8) { return toUtf16(utf8).size(); }

std::int32_t readInt(std::u16string_view text) {
  const auto p = parseNumber(text);
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  if (!p.negative) return p.magnitude > kMax ? std::numeric_limits<std::int32_t>::max()
                                             : static_cast<std::int32_t>(p.magnitude);
  if (p.magnitude > kMax + 1) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(-static_cast<std::int64_t>(p.magnitude));
}

std::int32_t readInt(std::string_view utf8) { return readInt(toUtf16(utf8)); }

std::uint32_t readUnsigned(std::u16string_view text) {
  const auto p = parseNumber(text);
  if (p.magnitude > std::numeric_limits<std::uint32_t>::max())
    return std::numeric_limits<std::uint32_t>::max();
  const auto value = static_cast<std::uint32_t>(p.magnitude);
  return p.negative ? static_cast<std::uint32_t>(0u - value) : value;
}

std::uint32_t readUnsigned(std::string_view utf8) { return readUnsigned(toUtf16(utf8)); }

}  // namespace orvane::forms
