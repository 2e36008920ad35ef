#include "modbus_scenario.h"

#include <stdexcept>

#include <nlohmann/json.hpp>

#include "value_parsers.h"

namespace trax_sim {
namespace {

using nlohmann::json;

// Blocks [{"start": N, "values": [...]}, ...]; every value at most `max`.
template <typename T>
void fillTable(const json& blocks, std::vector<T>& table, std::uint32_t size, std::uint64_t max,
               const std::string& what) {
  if (!blocks.is_array()) throw std::runtime_error(what + ": an array of {\"start\", \"values\"} blocks is needed");
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    const std::string block = what + "[" + std::to_string(b) + "]";
    checkKeys(blocks[b], {"start", "values"}, block);
    const auto start =
        blocks[b].contains("start") ? parseUnsigned(blocks[b].at("start"), size - 1, block + ".start") : 0;
    const auto& values = blocks[b].contains("values") ? blocks[b].at("values") : json::array();
    if (!values.is_array() || start + values.size() > size)
      throw std::runtime_error(block + ".values: an array that ends within the table is needed");
    for (std::size_t i = 0; i < values.size(); ++i) {
      const auto& v = values[i];
      const std::uint64_t n = v.is_boolean() ? (v.get<bool>() ? 1 : 0) : parseUnsigned(v, max, block + ".values");
      table[start + i] = static_cast<T>(n);
    }
  }
}

}  // namespace

void checkModbusFault(const FaultRule& rule, const std::string& what) {
  if (rule.kind != FaultKind::Silent && rule.kind != FaultKind::Delay && rule.kind != FaultKind::Exception)
    throw std::runtime_error(what + ": a Modbus fault is \"silent\", \"delay\" or \"exception\", not \"" +
                             faultKindName(rule.kind) + "\"");
}

ModbusService parseModbusService(const json& o, const std::string& what) {
  checkKeys(o, {"address", "port", "tableSize", "coils", "discreteInputs", "holdingRegisters", "inputRegisters",
                "faults"},
            what);
  ModbusService s;
  if (!o.contains("address") || !o.at("address").is_string())
    throw std::runtime_error(what + ".address: a loopback address such as \"127.0.0.2\" is needed");
  s.address = parseIp(o.at("address").get<std::string>(), what + ".address");
  // Only loopback: a simulated module must never answer the plant network.
  if (s.address[0] != 127) throw std::runtime_error(what + ".address: only 127.0.0.0/8 is served");
  if (o.contains("port")) s.port = static_cast<std::uint16_t>(parseUnsigned(o.at("port"), 65535, what + ".port"));
  if (o.contains("tableSize")) {
    s.tables.size =
        static_cast<std::uint32_t>(parseUnsigned(o.at("tableSize"), kModbusAddressSpace, what + ".tableSize"));
    if (s.tables.size == 0) throw std::runtime_error(what + ".tableSize: at least 1");
  }
  auto table = [&](const char* key, auto& target, std::uint64_t max) {
    if (o.contains(key)) fillTable(o.at(key), target, s.tables.size, max, what + "." + key);
  };
  table("coils", s.tables.coils, 1);
  table("discreteInputs", s.tables.discreteInputs, 1);
  table("holdingRegisters", s.tables.holdingRegisters, 0xFFFF);
  table("inputRegisters", s.tables.inputRegisters, 0xFFFF);
  if (o.contains("faults")) {
    const auto& faults = o.at("faults");
    if (!faults.is_array()) throw std::runtime_error(what + ".faults: an array is needed");
    for (const auto& f : faults) {
      try {
        s.faults.push_back(parseFaultRule(f));
      } catch (const std::exception& e) {
        throw std::runtime_error(what + ": " + e.what());
      }
      checkModbusFault(s.faults.back(), what + ".faults");
    }
  }
  return s;
}

}  // namespace trax_sim
