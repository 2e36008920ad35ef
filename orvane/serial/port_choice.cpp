#include "port_choice.h"

#include <algorithm>
#include <charconv>

namespace orvane {

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
  if (entry.size() <= 3) return std::nullopt;
  const auto digits = entry.substr(3);
  int port = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  if (ec != std::errc() || end == digits.data()) return std::nullopt;
  return port;
}

}  // namespace orvane
