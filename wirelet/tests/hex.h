#pragma once
// Bytes written as hexadecimal text ("01 48 01"), for readable test tables.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace wirelet_test {

inline std::vector<std::uint8_t> fromHex(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  unsigned value = 0;
  int consumed = 0;
  for (const char* p = text.c_str(); std::sscanf(p, "%2x%n", &value, &consumed) == 1; p += consumed)
    bytes.push_back(static_cast<std::uint8_t>(value));
  return bytes;
}

inline std::string toHex(std::span<const std::uint8_t> bytes) {
  std::string text;
  char digits[4];
  for (const auto b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    if (!text.empty()) text += ' ';
    text += digits;
  }
  return text;
}

}  // namespace wirelet_test
