#include "scenario_loader.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "modbus_scenario.h"
#include "value_parsers.h"

namespace trax_sim {
namespace {

using nlohmann::json;

std::string text(const json& object, const char* key, const std::string& what) {
  const auto& v = object.at(key);
  if (!v.is_string()) throw std::runtime_error(what + "." + key + ": a text is needed");
  return v.get<std::string>();
}

Timing parseTiming(const json& object, Timing timing, const std::string& what) {
  checkKeys(object, {"enterBootLoaderMs", "eraseMs", "restartMs"}, what);
  auto field = [&](const char* key, int& target) {
    if (object.contains(key))
      target = static_cast<int>(parseUnsigned(object.at(key), 3600000, what + "." + key));
  };
  field("enterBootLoaderMs", timing.enterBootLoaderMs);
  field("eraseMs", timing.eraseMs);
  field("restartMs", timing.restartMs);
  return timing;
}

AdvancedSettings parseAdvanced(const json& object, const std::string& what) {
  checkKeys(object, {"reservedA", "reservedB", "reservedByte", "masterTimeoutMs", "slaveTimeoutSec"}, what);
  AdvancedSettings a;
  auto u32 = [&](const char* key, std::uint32_t& target) {
    if (object.contains(key)) target = static_cast<std::uint32_t>(parseUnsigned(object.at(key), 0xFFFFFFFFu, what + "." + key));
  };
  u32("reservedA", a.reservedA);
  u32("reservedB", a.reservedB);
  u32("masterTimeoutMs", a.masterTimeoutMs);
  u32("slaveTimeoutSec", a.slaveTimeoutSec);
  if (object.contains("reservedByte"))
    a.reservedByte = static_cast<std::uint8_t>(parseUnsigned(object.at("reservedByte"), 255, what + ".reservedByte"));
  return a;
}

PeerEntry parsePeer(const json& object, const std::string& what) {
  checkKeys(object, {"device", "kind", "ip", "port", "unit", "reserved"}, what);
  PeerEntry e{};
  if (object.contains("device")) e[0] = static_cast<std::uint8_t>(parseUnsigned(object.at("device"), 255, what + ".device"));
  e[1] = object.contains("kind") ? parsePeerKind(object.at("kind"), what + ".kind") : 2;
  if (object.contains("ip")) {
    const auto ip = parseIp(text(object, "ip", what), what + ".ip");
    std::copy(ip.begin(), ip.end(), e.begin() + 2);
  }
  const auto port = object.contains("port") ? parseUnsigned(object.at("port"), 65535, what + ".port") : 0;
  e[6] = static_cast<std::uint8_t>(port);
  e[7] = static_cast<std::uint8_t>(port >> 8);
  if (object.contains("unit")) e[8] = static_cast<std::uint8_t>(parseUnsigned(object.at("unit"), 255, what + ".unit"));
  if (object.contains("reserved")) {
    const auto& r = object.at("reserved");
    if (!r.is_array() || r.size() != 3) throw std::runtime_error(what + ".reserved: three byte values are needed");
    for (std::size_t i = 0; i < 3; ++i)
      e[9 + i] = static_cast<std::uint8_t>(parseUnsigned(r[i], 255, what + ".reserved"));
  }
  return e;
}

// Fields shared by a module's own settings and its factory settings.
void parseBasic(const json& o, BasicSettings& b, const std::string& what) {
  if (o.contains("moduleId"))
    b.moduleId = static_cast<std::uint32_t>(parseUnsigned(o.at("moduleId"), 0xFFFFFFFFu, what + ".moduleId"));
  if (o.contains("name")) b.name = gbkField<kNameBytes>(text(o, "name", what), what + ".name");
  if (o.contains("description"))
    b.description = gbkField<kDescriptionBytes>(text(o, "description", what), what + ".description");
  if (o.contains("addressMode")) b.addressMode = parseAddressMode(o.at("addressMode"), what + ".addressMode");
  if (o.contains("ipAddress")) b.ipAddress = parseIp(text(o, "ipAddress", what), what + ".ipAddress");
  if (o.contains("subnetMask")) b.subnetMask = parseIp(text(o, "subnetMask", what), what + ".subnetMask");
  if (o.contains("gateway")) b.gateway = parseIp(text(o, "gateway", what), what + ".gateway");
}

FactorySettings parseFactory(const json& o, const std::string& what) {
  checkKeys(o, {"moduleId", "name", "description", "addressMode", "ipAddress", "subnetMask", "gateway",
                "masterTimeoutMs", "slaveTimeoutSec"}, what);
  FactorySettings f;
  parseBasic(o, f.basic, what);
  if (o.contains("masterTimeoutMs"))
    f.masterTimeoutMs = static_cast<std::uint32_t>(parseUnsigned(o.at("masterTimeoutMs"), 0xFFFFFFFFu, what));
  if (o.contains("slaveTimeoutSec"))
    f.slaveTimeoutSec = static_cast<std::uint32_t>(parseUnsigned(o.at("slaveTimeoutSec"), 0xFFFFFFFFu, what));
  return f;
}

void parseVersions(const json& o, VersionInfo& v, const std::string& what) {
  if (o.contains("firmwareVersion")) v.firmware = parseVersion4(text(o, "firmwareVersion", what), what + ".firmwareVersion");
  if (o.contains("bootVersion")) v.boot = parseVersion4(text(o, "bootVersion", what), what + ".bootVersion");
  if (o.contains("pwbVersion")) v.pwb = parseVersion2(text(o, "pwbVersion", what), what + ".pwbVersion");
  if (o.contains("pldVersion")) v.pld = parseVersion2(text(o, "pldVersion", what), what + ".pldVersion");
  if (o.contains("switchByte")) v.switchByte = parseSwitchByte(o.at("switchByte"), what + ".switchByte");
}

void parseRunState(const json& o, Module& m, const std::string& what) {
  if (o.contains("runMode")) m.runMode = parseRunMode(o.at("runMode"), what + ".runMode");
  if (o.contains("statusFlags"))
    m.statusFlags = static_cast<std::uint16_t>(parseUnsigned(o.at("statusFlags"), 0xFFFF, what + ".statusFlags"));
  if (o.contains("fixedId")) m.fixedId = static_cast<std::uint8_t>(parseUnsigned(o.at("fixedId"), 255, what + ".fixedId"));
  // A module found in its boot loader has, unless told otherwise, no usable system program.
  m.area(2).valid = m.runMode != kRunModeBootLoader;
  if (o.contains("systemProgramValid")) {
    if (!o.at("systemProgramValid").is_boolean()) throw std::runtime_error(what + ".systemProgramValid: true or false");
    m.area(2).valid = o.at("systemProgramValid").get<bool>();
  }
}

void parseInUseAddresses(const json& o, Module& m, const std::string& what) {
  m.currentIp = o.contains("currentIp") ? parseIp(text(o, "currentIp", what), what + ".currentIp") : m.basic.ipAddress;
  m.currentMask =
      o.contains("currentMask") ? parseIp(text(o, "currentMask", what), what + ".currentMask") : m.basic.subnetMask;
  m.currentGateway =
      o.contains("currentGateway") ? parseIp(text(o, "currentGateway", what), what + ".currentGateway") : m.basic.gateway;
}

void parseTables(const json& o, Module& m, const std::string& what) {
  if (o.contains("advanced")) m.advanced = parseAdvanced(o.at("advanced"), what + ".advanced");
  if (o.contains("peers")) {
    const auto& peers = o.at("peers");
    if (!peers.is_array() || peers.size() > kMaxStoredPeers)
      throw std::runtime_error(what + ".peers: an array of at most 42 entries is needed");
    for (std::size_t i = 0; i < peers.size(); ++i)
      m.peers.push_back(parsePeer(peers[i], what + ".peers[" + std::to_string(i) + "]"));
  }
  if (o.contains("factory")) m.factory = parseFactory(o.at("factory"), what + ".factory");
  if (o.contains("faults")) {
    const auto& faults = o.at("faults");
    if (!faults.is_array()) throw std::runtime_error(what + ".faults: an array is needed");
    for (const auto& f : faults) {
      try {
        m.faults.push_back(parseFaultRule(f));
        if (m.faults.back().kind == FaultKind::Exception)
          throw std::runtime_error("fault: \"exception\" belongs in \"modbus\".\"faults\"");
      } catch (const std::exception& e) {
        throw std::runtime_error(what + ": " + e.what());
      }
    }
  }
}

}  // namespace

Timing applyOverrides(Timing timing, const TimingOverrides& o) {
  if (o.enterBootLoaderMs) timing.enterBootLoaderMs = *o.enterBootLoaderMs;
  if (o.eraseMs) timing.eraseMs = *o.eraseMs;
  if (o.restartMs) timing.restartMs = *o.restartMs;
  return timing;
}

Module parseModule(const json& o, const Timing& timing, std::size_t index) {
  const std::string what = "module " + std::to_string(index + 1);
  checkKeys(o, {"mac", "runMode", "statusFlags", "firmwareVersion", "bootVersion", "pwbVersion", "pldVersion",
                "switchByte", "fixedId", "moduleId", "name", "description", "addressMode", "ipAddress",
                "subnetMask", "gateway", "currentIp", "currentMask", "currentGateway", "advanced", "peers",
                "factory", "timing", "faults", "systemProgramValid", "modbus"},
            what);
  if (!o.contains("mac")) throw std::runtime_error(what + ": \"mac\" is missing");
  Module m;
  m.mac = parseMacValue(text(o, "mac", what), what + ".mac");
  m.timing = o.contains("timing") ? parseTiming(o.at("timing"), timing, what + ".timing") : timing;
  parseRunState(o, m, what);
  parseVersions(o, m.versions, what);
  parseBasic(o, m.basic, what);
  parseInUseAddresses(o, m, what);
  parseTables(o, m, what);
  if (o.contains("modbus")) m.modbus = parseModbusService(o.at("modbus"), what + ".modbus");
  return m;
}

std::vector<Module> parseScenario(const json& document, const TimingOverrides& overrides) {
  checkKeys(document, {"timing", "modules"}, "scenario");
  Timing timing;
  if (document.contains("timing")) timing = parseTiming(document.at("timing"), timing, "scenario.timing");
  timing = applyOverrides(timing, overrides);
  std::vector<Module> modules;
  if (!document.contains("modules")) return modules;
  const auto& list = document.at("modules");
  if (!list.is_array()) throw std::runtime_error("scenario.modules: an array is needed");
  for (std::size_t i = 0; i < list.size(); ++i) modules.push_back(parseModule(list[i], timing, i));
  return modules;
}

std::vector<Module> loadScenarioFile(const std::string& path, const TimingOverrides& overrides) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read scenario file " + path);
  std::stringstream content;
  content << file.rdbuf();
  const auto document = json::parse(content.str(), nullptr, false);
  if (document.is_discarded()) throw std::runtime_error(path + ": not valid JSON");
  return parseScenario(document, overrides);
}

Module parseModuleText(const std::string& jsonText, const TimingOverrides& overrides) {
  const auto object = json::parse(jsonText, nullptr, false);
  if (object.is_discarded()) throw std::runtime_error("--module: not valid JSON: " + jsonText);
  return parseModule(object, applyOverrides(Timing{}, overrides), 0);
}

std::vector<Module> generateModules(int count, const Version4& firmware, const TimingOverrides& overrides) {
  std::vector<Module> modules;
  const Timing timing = applyOverrides(Timing{}, overrides);
  for (int i = 0; i < count; ++i) {
    Module m;
    const int n = i + 1;
    m.mac = Mac{0x02, 0x54, 0x52, 0x58, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)};
    m.timing = timing;
    m.versions.firmware = firmware;
    m.basic.moduleId = static_cast<std::uint32_t>(n);
    m.basic.name = gbkField<kNameBytes>("模块 " + std::to_string(n), "generated name");
    m.basic.description = gbkField<kDescriptionBytes>("生成的模块 " + std::to_string(n), "generated description");
    const int subnet = i / 200;
    m.basic.ipAddress = Ipv4{127, static_cast<std::uint8_t>(subnet >> 8), static_cast<std::uint8_t>(subnet),
                             static_cast<std::uint8_t>(20 + i % 200)};
    applyAddressing(m);
    modules.push_back(std::move(m));
  }
  return modules;
}

}  // namespace trax_sim
