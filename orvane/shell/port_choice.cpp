#include "port_choice.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr std::size_t kPrefixLength = 3;  // "COM"

// Leading decimal digits, as the C library reads an integer; saturates
// instead of overflowing on absurdly long digit runs.
int leadingNumber(std::string_view text) {
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min<long long>(value * 10 + (c - '0'), 1'000'000'000);
  }
  return static_cast<int>(value);
}

}  // namespace

std::vector<std::string> portEntries(const std::vector<int>& ports) {
  std::vector<std::string> entries;
  entries.reserve(ports.size());
  for (const int n : ports) entries.push_back("COM" + std::to_string(n));
  std::sort(entries.begin(), entries.end());
  entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
  return entries;
}

int initialPortEntry(const std::vector<std::string>& entries, int current) {
  if (entries.empty()) return -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto port = portOfEntry(entries[i]);
    if (port && *port == current) return static_cast<int>(i);
  }
  return 0;
}

std::optional<int> portOfEntry(std::string_view entry) {
  if (entry.size() <= kPrefixLength) return std::nullopt;
  return leadingNumber(entry.substr(kPrefixLength));
}

}  // namespace orvane
