#include "mac_argument.h"

#include <cctype>

namespace orvane::cli {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

std::optional<MacAddress> parseMacArgument(std::string_view text) {
  if (text.size() != 17) return std::nullopt;
  const char separator = text[2];
  if (separator != '-' && separator != '.') return std::nullopt;
  MacAddress mac{};
  for (std::size_t i = 0; i < mac.size(); ++i) {
    const std::size_t at = 3 * i;
    if (i > 0 && text[at - 1] != separator) return std::nullopt;
    const int high = hexDigit(text[at]), low = hexDigit(text[at + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    mac[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return mac;
}

}  // namespace orvane::cli
