#include "ini_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
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

std::vector<std::string> readLines(const std::filesystem::path& file, bool& exists) {
  std::ifstream in(file, std::ios::binary);
  exists = static_cast<bool>(in);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Windows strips one pair of matching quotes around a value.
std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback,
                              std::size_t maxChars) {
  bool exists = false;
  const auto lines = readLines(file, exists);
  bool inSection = false;
  std::string result(fallback);
  for (const auto& line : lines) {
    std::string_view name, k, v;
    if (sectionName(line, name)) {
      inSection = sameText(name, section);
    } else if (inSection && keyLine(line, k, v) && sameText(k, key)) {
      result = std::string(unquote(v));
      break;
    }
  }
  if (maxChars != 0 && result.size() > maxChars) result.resize(maxChars);
  return result;
}

int parseProfileInt(std::string_view text) {
  text = trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > 0xFFFFFFFFLL) value = 0xFFFFFFFFLL;  // wraps like a 32-bit parse
  }
  const auto u = static_cast<unsigned int>(value);
  return negative ? -static_cast<int>(u) : static_cast<int>(u);
}

int readProfileInt(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, int fallback) {
  static const std::string missing = "\x01missing\x01";
  const auto text = readProfileString(file, section, key, missing);
  if (text == missing) return fallback;
  return parseProfileInt(text);
}

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  bool exists = false;
  auto lines = readLines(file, exists);
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

  std::ostringstream out;
  for (const auto& line : lines) out << line << "\r\n";
  std::ofstream file_out(file, std::ios::binary | std::ios::trunc);
  if (!file_out) return false;
  file_out << out.str();
  return static_cast<bool>(file_out.flush());
}

}  // namespace platform
