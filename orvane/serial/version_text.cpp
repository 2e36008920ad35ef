#include "version_text.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace orvane {
namespace {

// Byte offset of the character after the first `count` UTF-8 characters;
// nothing when the text has no more than `count` characters.
std::optional<std::size_t> afterCharacters(std::string_view text, std::size_t count) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (characters == count) return i;
    ++characters;
  }
  return std::nullopt;
}

// The decimal number at the start of `text` after blanks, as the C library
// reads one; saturates above 255 so that long digit runs cannot overflow.
unsigned leadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  unsigned value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > 255) return 256;
  }
  return value;
}

}  // namespace

bool applySerialVersion(std::string_view infoText, ModuleVersionInfo& versions) {
  const auto start = afterCharacters(infoText, kVersionTextPrefix);
  if (!start) return false;
  const std::string_view rest = infoText.substr(*start);
  std::size_t point = rest.find('.');
  if (point == std::string_view::npos) point = 0;
  const unsigned major = leadingNumber(rest.substr(0, point));
  const unsigned minor = leadingNumber(rest.substr(std::min(point + 1, rest.size())));
  if (major > 255 || minor > 255) return false;
  versions.firmwareVersion[1] = static_cast<std::uint8_t>(major);
  versions.firmwareVersion[0] = static_cast<std::uint8_t>(minor);
  return true;
}

}  // namespace orvane
