#include "sim/plc_sim/scenario.h"

#include <cctype>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <stdexcept>

namespace plc_sim {
namespace {

using nlohmann::json;

struct ScenarioError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

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
    if (!std::isspace(static_cast<unsigned char>(c))) digits += c;
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

std::size_t address(const json& entry, unsigned long max, const std::string& where) {
  if (!entry.contains("address")) fail(where, "\"address\" is missing");
  return number(entry["address"], max, where + ".address");
}

const json& list(const json& doc, const char* key) {
  if (!doc[key].is_array()) fail(key, "a list is needed");
  return doc[key];
}

void applyBytes(const json& entries, PlcMemory& memory) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string where = "bytes[" + std::to_string(i) + "]";
    onlyKeys(entries[i], {"address", "data", "hex", "text"}, where);
    const auto bytes = entryBytes(entries[i], where);
    if (!memory.writeBytes(address(entries[i], 0xFFFF, where), bytes))
      fail(where, "runs past byte address 65535");
  }
}

void applyWords(const json& entries, PlcMemory& memory) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string where = "words[" + std::to_string(i) + "]";
    onlyKeys(entries[i], {"address", "data"}, where);
    if (!entries[i].contains("data") || !entries[i]["data"].is_array())
      fail(where, "\"data\" must be a list");
    std::vector<std::uint16_t> words;
    for (const auto& value : entries[i]["data"])
      words.push_back(static_cast<std::uint16_t>(number(value, 0xFFFF, where)));
    if (!memory.writeWords(address(entries[i], 0xFFFF, where), words))
      fail(where, "runs past word address 65535");
  }
}

void applyAreas(const json& entries, PlcMemory& memory) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string where = "areas[" + std::to_string(i) + "]";
    onlyKeys(entries[i], {"area", "address", "data", "hex", "text"}, where);
    if (!entries[i].contains("area")) fail(where, "\"area\" is missing");
    const auto area = static_cast<std::uint8_t>(number(entries[i]["area"], 0xFF, where + ".area"));
    const auto at = static_cast<std::uint32_t>(address(entries[i], 0xFFFFFFFFul, where));
    memory.writeArea(area, at, entryBytes(entries[i], where));
  }
}

}  // namespace

std::optional<std::string> applyScenario(const std::string& jsonText, PlcMemory& memory) {
  try {
    const json doc = json::parse(jsonText);
    onlyKeys(doc, {"bytes", "words", "areas"}, "scenario");
    if (doc.contains("bytes")) applyBytes(list(doc, "bytes"), memory);
    if (doc.contains("words")) applyWords(list(doc, "words"), memory);
    if (doc.contains("areas")) applyAreas(list(doc, "areas"), memory);
    return std::nullopt;
  } catch (const ScenarioError& e) {
    return std::string(e.what());
  } catch (const json::exception& e) {
    return std::string("not valid JSON: ") + e.what();
  }
}

std::optional<std::string> loadScenario(const std::string& path, PlcMemory& memory) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "cannot read " + path;
  std::ostringstream text;
  text << in.rdbuf();
  return applyScenario(text.str(), memory);
}

}  // namespace plc_sim
