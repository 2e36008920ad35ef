#include "file_filter.h"

#include <vector>

namespace orvane {
namespace {

std::vector<std::string_view> splitBars(std::string_view text) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto bar = text.find('|');
    parts.push_back(text.substr(0, bar));
    if (bar == std::string_view::npos) break;
    text.remove_prefix(bar + 1);
  }
  return parts;
}

std::string spaceSeparated(std::string_view patterns) {
  std::string out(patterns);
  for (auto& c : out)
    if (c == ';') c = ' ';
  return out;
}

}  // namespace

std::string qtFileFilter(std::string_view classicFilter) {
  const auto parts = splitBars(classicFilter);
  std::string filter;
  // Pairs until the empty description that the closing "||" leaves.
  for (std::size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
    const std::string patterns = spaceSeparated(parts[i + 1]);
    if (patterns.empty()) continue;
    std::string entry(parts[i]);
    // Qt reads the patterns from the last parenthesised group; a description
    // that already ends with exactly these patterns is shown as it stands.
    const std::string shown = "(" + patterns + ")";
    const bool carriesPatterns =
        entry.size() >= shown.size() &&
        entry.compare(entry.size() - shown.size(), shown.size(), shown) == 0;
    if (!carriesPatterns) entry += " " + shown;
    if (!filter.empty()) filter += ";;";
    filter += entry;
  }
  return filter;
}

}  // namespace orvane
