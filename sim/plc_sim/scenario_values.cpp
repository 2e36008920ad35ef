#include "sim/plc_sim/scenario_values.h"

#include <cctype>

namespace plc_sim::scenario_values {

using nlohmann::json;


[[noreturn]] void fail(const std::string& where, const std::string& what) {
  throw ScenarioError(where + ": " + what);
}

unsigned long number(const json& value, unsigned long max, const std::string& where) {
  unsigned long n = 0;
  if (value.is_number_unsigned()) {
    n = value.get<unsigned long>();
  } else if (value.is_string()) {
    const std::string text = value.get<std::string>();
    std::size_t used = 0;
    try {
      n = std::stoul(text, &used, 0);
    } catch (const std::exception&) {
      fail(where, "\"" + text + "\" is not a number");
    }
    if (used != text.size()) fail(where, "\"" + text + "\" is not a number");
  } else {
    fail(where, "a number (0-" + std::to_string(max) + ") is needed");
  }
  if (n > max) fail(where, std::to_string(n) + " is above " + std::to_string(max));
  return n;
}

std::vector<std::uint8_t> hexBytes(const std::string& text, const std::string& where) {
  std::string digits;
  for (const char c : text)
    if (!std::isspace(static_cast<unsigned char>(c)) && c != ':' && c != '.' && c != '-') digits += c;
  if (digits.size() % 2 != 0) fail(where, "\"hex\" needs pairs of digits");
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const std::string pair = digits.substr(i, 2);
    if (!std::isxdigit(static_cast<unsigned char>(pair[0])) ||
        !std::isxdigit(static_cast<unsigned char>(pair[1])))
      fail(where, "\"" + pair + "\" is not a hexadecimal byte");
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(pair, nullptr, 16)));
  }
  return bytes;
}

void onlyKeys(const json& entry, const std::set<std::string>& allowed, const std::string& where) {
  if (!entry.is_object()) fail(where, "an object is needed");
  for (const auto& [key, value] : entry.items())
    if (!allowed.count(key)) fail(where, "unknown key \"" + key + "\"");
}

std::vector<std::uint8_t> entryBytes(const json& entry, const std::string& where) {
  const int forms = entry.contains("data") + entry.contains("hex") + entry.contains("text");
  if (forms != 1) fail(where, "exactly one of \"data\", \"hex\" and \"text\" is needed");
  if (entry.contains("hex")) {
    if (!entry["hex"].is_string()) fail(where, "\"hex\" must be a string");
    return hexBytes(entry["hex"].get<std::string>(), where);
  }
  if (entry.contains("text")) {
    if (!entry["text"].is_string()) fail(where, "\"text\" must be a string");
    const std::string text = entry["text"].get<std::string>();
    return {text.begin(), text.end()};
  }
  if (!entry["data"].is_array()) fail(where, "\"data\" must be a list");
  std::vector<std::uint8_t> bytes;
  for (const auto& value : entry["data"])
    bytes.push_back(static_cast<std::uint8_t>(number(value, 0xFF, where)));
  return bytes;
}

std::string text(const json& value, const std::string& where) {
  if (!value.is_string()) fail(where, "a string is needed");
  return value.get<std::string>();
}

}  // namespace plc_sim::scenario_values
