#include "fault_rules.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "frame_codec.h"

namespace trax_sim {
namespace {

using nlohmann::json;

struct KindName {
  const char* name;
  FaultKind kind;
  std::uint8_t presetCode;  // 0: none
};

constexpr KindName kKinds[] = {
    {"silent", FaultKind::Silent, 0},
    {"delay", FaultKind::Delay, 0},
    {"otherCodeFirst", FaultKind::OtherCodeFirst, 0},
    {"overlong", FaultKind::Overlong, 0},
    {"result", FaultKind::Result, 0},
    {"duplicate", FaultKind::Duplicate, 0},
    {"silentAfterWrite", FaultKind::SilentAfterWrite, 0},
    {"neverEnterBootLoader", FaultKind::NeverEnterBootLoader, 0},
    {"bootLoaderSilent", FaultKind::BootLoaderSilent, 0},
    {"silentAfterRestart", FaultKind::SilentAfterRestart, 0},
    {"exception", FaultKind::Exception, 0},
    {"eraseFails", FaultKind::Result, EraseFirmware},
    {"failBlock", FaultKind::Result, WriteFirmwareBlock},
    {"verifyFails", FaultKind::Result, VerifyFirmware},
    {"restartFails", FaultKind::Result, RestartModule},
};

int intField(const json& object, const char* key, int fallback, int low, int high) {
  if (!object.contains(key)) return fallback;
  const auto& v = object.at(key);
  if (!v.is_number_integer()) throw std::runtime_error(std::string("fault: \"") + key + "\" is not an integer");
  const auto n = v.get<long long>();
  if (n < low || n > high)
    throw std::runtime_error(std::string("fault: \"") + key + "\" out of range " +
                             std::to_string(low) + ".." + std::to_string(high));
  return static_cast<int>(n);
}

long long parseNumber(const std::string& text) {
  long long value = 0;
  int base = 10;
  std::size_t start = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    start = 2;
  }
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(first, last, value, base);
  if (ec != std::errc() || end != last || first == last)
    throw std::runtime_error("fault: \"" + text + "\" is not a number");
  return value;
}

}  // namespace

bool FaultRule::coversCode(std::uint8_t code) const {
  return codes.empty() || std::find(codes.begin(), codes.end(), code) != codes.end();
}

const char* faultKindName(FaultKind kind) {
  for (const auto& k : kKinds)
    if (k.kind == kind && k.presetCode == 0) return k.name;
  return "?";
}

FaultRule parseFaultRule(const json& object) {
  if (!object.is_object() || !object.contains("kind") || !object.at("kind").is_string())
    throw std::runtime_error("fault: an object with a \"kind\" text is needed");
  static const char* const known[] = {"kind", "codes", "times", "value", "ms", "size", "block"};
  for (const auto& item : object.items())
    if (std::none_of(std::begin(known), std::end(known), [&](const char* k) { return item.key() == k; }))
      throw std::runtime_error("fault: unknown key \"" + item.key() + "\"");
  const auto kindText = object.at("kind").get<std::string>();
  const auto* found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                   [&](const KindName& k) { return kindText == k.name; });
  if (found == std::end(kKinds)) throw std::runtime_error("fault: unknown kind \"" + kindText + "\"");

  FaultRule rule;
  rule.kind = found->kind;
  if (found->presetCode) rule.codes.push_back(found->presetCode);
  if (object.contains("codes")) {
    const auto& codes = object.at("codes");
    if (!codes.is_array()) throw std::runtime_error("fault: \"codes\" is not an array");
    for (const auto& c : codes) {
      if (!c.is_number_integer() || c.get<long long>() < 0 || c.get<long long>() > 255)
        throw std::runtime_error("fault: a command code is not 0..255");
      rule.codes.push_back(static_cast<std::uint8_t>(c.get<int>()));
    }
  }
  rule.times = intField(object, "times", -1, -1, 1000000);
  // A device failure (4) unless told otherwise; 0 and codes no standard names stay possible, for clients' tests.
  rule.value = intField(object, "value", rule.kind == FaultKind::Exception ? 4 : 1, 0, 255);
  if (rule.kind == FaultKind::Result && rule.value == 0)
    throw std::runtime_error("fault: a result fault needs a non-zero \"value\"");
  if (rule.kind == FaultKind::SilentAfterWrite) rule.value = intField(object, "value", 1, 1, 1000000);
  if (rule.kind == FaultKind::SilentAfterRestart) rule.value = intField(object, "value", 0, 0, 1000000);
  const int defaultMs = rule.kind == FaultKind::SilentAfterRestart ? -1 : 0;
  rule.ms = intField(object, "ms", defaultMs, -1, 3600000);
  if (rule.kind == FaultKind::Delay && rule.ms < 0) throw std::runtime_error("fault: delay needs \"ms\" >= 0");
  rule.size = intField(object, "size", 600, 1, 65000);
  rule.block = intField(object, "block", 0, 0, 65535);
  if (kindText == "failBlock" && rule.block == 0)
    throw std::runtime_error("fault: failBlock needs \"block\" (1 is the first block)");
  return rule;
}

FaultRule parseFaultText(const std::string& text) {
  if (!text.empty() && text.front() == '{') {
    const auto object = json::parse(text, nullptr, false);
    if (object.is_discarded()) throw std::runtime_error("fault: not valid JSON: " + text);
    return parseFaultRule(object);
  }
  json object = json::object();
  std::size_t start = 0;
  bool first = true;
  while (start <= text.size()) {
    const auto comma = std::min(text.find(',', start), text.size());
    const std::string part = text.substr(start, comma - start);
    if (first) {
      object["kind"] = part;
      first = false;
    } else {
      const auto eq = part.find('=');
      if (eq == std::string::npos) throw std::runtime_error("fault: \"" + part + "\" is not key=value");
      const std::string key = part.substr(0, eq);
      const std::string value = part.substr(eq + 1);
      if (key == "codes") {
        json codes = json::array();
        std::size_t s = 0;
        while (s <= value.size()) {
          const auto plus = std::min(value.find('+', s), value.size());
          codes.push_back(parseNumber(value.substr(s, plus - s)));
          s = plus + 1;
        }
        object[key] = codes;
      } else {
        object[key] = parseNumber(value);
      }
    }
    start = comma + 1;
  }
  return parseFaultRule(object);
}

}  // namespace trax_sim
