#include "sim/plc_sim/scenario.h"

#include "sim/plc_sim/plc_scenario.h"
#include "sim/plc_sim/scenario_values.h"

#include <cctype>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <stdexcept>

namespace plc_sim {
namespace {

using nlohmann::json;
using namespace scenario_values;

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
  PlcModel unused;
  return applyScenario(jsonText, memory, unused);
}

std::optional<std::string> applyScenario(const std::string& jsonText, PlcMemory& memory,
                                         PlcModel& model) {
  try {
    const json doc = json::parse(jsonText);
    onlyKeys(doc, {"bytes", "words", "areas", "plc"}, "scenario");
    // The PLC model first, so that the plain lists can overwrite what it placed.
    if (doc.contains("plc")) {
      readPlcSection(doc["plc"], model);
      model.place(memory);
    }
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
  PlcModel unused;
  return loadScenario(path, memory, unused);
}

std::optional<std::string> loadScenario(const std::string& path, PlcMemory& memory, PlcModel& model) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "cannot read " + path;
  std::ostringstream text;
  text << in.rdbuf();
  return applyScenario(text.str(), memory, model);
}

}  // namespace plc_sim
