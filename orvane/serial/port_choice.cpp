#include "port_choice.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr std::size_t kPrefixLength = 3;  // "COM"

// Leading decimal digits, as the C library reads an integer (none read as
// 0); saturates instead of overflowing on absurdly long digit runs.
int leadingNumber(std::string_view text) {
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min<long long>(value * 10 + (c - '0'), 1'000'000'000);
  }
  return static_cast<int>(value);
}

}  // namespace

PortChoice portChoice(int current, const std::vector<int>& ports) {
  PortChoice choice;
  for (const int port : ports) choice.entries.push_back("COM" + std::to_string(port));
  std::sort(choice.entries.begin(), choice.entries.end());
  choice.entries.erase(std::unique(choice.entries.begin(), choice.entries.end()), choice.entries.end());
  if (choice.entries.empty()) return choice;
  choice.selected = 0;
  for (std::size_t i = 0; i < choice.entries.size(); ++i) {
    if (portOfEntry(choice.entries[i]) == current) {
      choice.selected = static_cast<int>(i);
      break;
    }
  }
  return choice;
}

std::optional<int> portOfEntry(std::string_view entry) {
  if (entry.size() <= kPrefixLength) return std::nullopt;
  return leadingNumber(entry.substr(kPrefixLength));
}

}  // namespace orvane
