#include "sim/plc_sim/plc_scenario.h"

#include <sstream>

#include "sim/plc_sim/scenario_values.h"

namespace plc_sim {
namespace {

using nlohmann::json;
using namespace scenario_values;

std::array<std::uint8_t, 4> dottedAddress(const json& value, const std::string& where) {
  std::istringstream in(text(value, where));
  std::array<std::uint8_t, 4> octets{};
  for (std::size_t i = 0; i < octets.size(); ++i) {
    std::string part;
    if (!std::getline(in, part, '.') || part.empty() || part.size() > 3 ||
        part.find_first_not_of("0123456789") != std::string::npos || std::stoul(part) > 255)
      fail(where, "an address a.b.c.d (0-255 each) is needed");
    octets[i] = static_cast<std::uint8_t>(std::stoul(part));
  }
  std::string rest;
  if (std::getline(in, rest)) fail(where, "an address a.b.c.d is needed");
  return octets;
}

// Words first + 0 to first + 3 hold the address last octet first.
void addressWords(const json& entry, const char* key, std::size_t first, PlcModule& m,
                  const std::string& where) {
  if (!entry.contains(key)) return;
  const auto octets = dottedAddress(entry[key], where + "." + key);
  for (std::size_t i = 0; i < 4; ++i) m.words[first + i] = bcdWord(octets[3 - i]);
}

void readAnswer(const json& value, PlcModule& m, const std::string& where) {
  if (value.is_string() && value.get<std::string>() == "take") return;
  m.statusCode = static_cast<std::uint8_t>(number(value, 255, where));
}

PlcModule readModule(const json& entry, const std::string& where) {
  onlyKeys(entry, {"group", "slot", "mac", "text", "ip", "mask", "gateway", "station", "status",
                   "words", "answer", "refuseMacRead"}, where);
  PlcModule m;
  if (!entry.contains("group") || !entry.contains("slot")) fail(where, "\"group\" and \"slot\" are needed");
  m.group = static_cast<int>(number(entry["group"], 3, where + ".group"));
  m.slot = static_cast<int>(number(entry["slot"], 7, where + ".slot"));
  if (entry.contains("mac")) {
    const auto mac = hexBytes(text(entry["mac"], where + ".mac"), where + ".mac");
    if (mac.size() != m.mac.size()) fail(where + ".mac", "six bytes are needed");
    std::copy(mac.begin(), mac.end(), m.mac.begin());
  }
  if (entry.contains("text")) m.text = text(entry["text"], where + ".text");
  if (entry.contains("status")) m.words[0] = static_cast<std::uint16_t>(number(entry["status"], 0xFFFF, where));
  addressWords(entry, "ip", 1, m, where);
  addressWords(entry, "mask", 5, m, where);
  addressWords(entry, "gateway", 9, m, where);
  if (entry.contains("station")) m.words[13] = bcdWord(static_cast<unsigned>(number(entry["station"], 999, where + ".station")));
  if (entry.contains("words")) {
    const auto& words = entry["words"];
    if (!words.is_array() || words.size() > m.words.size()) fail(where + ".words", "a list of at most 16 words is needed");
    for (std::size_t i = 0; i < words.size(); ++i)
      m.words[i] = static_cast<std::uint16_t>(number(words[i], 0xFFFF, where + ".words"));
  }
  if (entry.contains("answer")) readAnswer(entry["answer"], m, where + ".answer");
  if (entry.contains("refuseMacRead")) {
    if (!entry["refuseMacRead"].is_boolean()) fail(where + ".refuseMacRead", "true or false is needed");
    m.macReadRefused = entry["refuseMacRead"].get<bool>();
  }
  return m;
}

}  // namespace

void readPlcSection(const json& plc, PlcModel& model) {
  onlyKeys(plc, {"family", "text", "modules"}, "plc");
  if (plc.contains("family")) {
    const auto letter = text(plc["family"], "plc.family");
    if (letter.size() != 1) fail("plc.family", "one letter is needed");
    model.family = static_cast<std::uint8_t>(letter[0]);
  }
  if (plc.contains("text")) model.text = text(plc["text"], "plc.text");
  if (!plc.contains("modules")) return;
  if (!plc["modules"].is_array()) fail("plc.modules", "a list is needed");
  for (std::size_t i = 0; i < plc["modules"].size(); ++i) {
    const std::string where = "plc.modules[" + std::to_string(i) + "]";
    auto m = readModule(plc["modules"][i], where);
    for (const auto& other : model.modules)
      if (other.position() == m.position()) fail(where, "group and slot are taken twice");
    model.modules.push_back(std::move(m));
  }
}

}  // namespace plc_sim
