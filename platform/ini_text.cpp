#include "ini_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

namespace platform {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool sameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// A line "[name]" (trailing text after ']' ignored, as Windows does).
bool sectionName(std::string_view line, std::string_view& name) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return false;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return false;
  name = trim(line.substr(1, close - 1));
  return true;
}

// A line "key=value"; comments (';') and lines without '=' are not keys.
bool keyLine(std::string_view line, std::string_view& key, std::string_view& value) {
  const auto t = trim(line);
  if (t.empty() || t.front() == ';') return false;
  const auto eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  key = trim(t.substr(0, eq));
  value = trim(t.substr(eq + 1));
  return true;
}

// Windows strips one pair of matching quotes around a value.
std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

// The text's lines without their '\n'; a last line without one still counts.
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The line end a rewrite uses: the one the text's first line ends with, so
// that a file written on Windows stays byte-compatible and one edited
// elsewhere keeps its own line ends.
std::string_view lineEndOf(std::string_view text) {
  const auto end = text.find('\n');
  if (end != std::string_view::npos && (end == 0 || text[end - 1] != '\r')) return "\n";
  return "\r\n";
}

}  // namespace

std::optional<std::string> findProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
  bool inSection = false;
  for (const auto line : splitLines(text)) {
    std::string_view name, k, v;
    if (sectionName(line, name)) {
      inSection = sameText(name, section);
    } else if (inSection && keyLine(line, k, v) && sameText(k, key)) {
      return std::string(unquote(v));
    }
  }
  return std::nullopt;
}

std::string setProfileValue(std::string_view text, std::string_view section,
                            std::string_view key, std::string_view value) {
  const auto lineEnd = lineEndOf(text);
  std::vector<std::string> lines;
  for (auto line : splitLines(text)) {
    if (lineEnd == "\r\n" && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
  }
  const std::string entry = std::string(key) + "=" + std::string(value);

  int sectionAt = -1;
  int lastInSection = -1;
  bool replaced = false;
  for (int i = 0; i < static_cast<int>(lines.size()) && !replaced; ++i) {
    std::string_view name, k, v;
    if (sectionName(lines[i], name)) {
      if (sectionAt >= 0) break;  // left our section without finding the key
      if (sameText(name, section)) sectionAt = lastInSection = i;
    } else if (sectionAt >= 0) {
      if (!trim(lines[i]).empty()) lastInSection = i;
      if (keyLine(lines[i], k, v) && sameText(k, key)) {
        lines[i] = entry;
        replaced = true;
      }
    }
  }
  if (!replaced) {
    if (sectionAt >= 0) {
      lines.insert(lines.begin() + lastInSection + 1, entry);
    } else {
      lines.push_back("[" + std::string(section) + "]");
      lines.push_back(entry);
    }
  }

  std::string out;
  for (const auto& line : lines) out.append(line).append(lineEnd);
  return out;
}

int parseProfileInt(std::string_view text) {
  text = trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Unsigned arithmetic wraps where Windows' 32-bit accumulation does, and
  // negating the most negative value stays defined.
  std::uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

}  // namespace platform
