#include "settings_output.h"

#include <nlohmann/json.hpp>

#include "orvane/protocol/row_format.h"
#include "orvane/forms/peer_rows.h"
#include "terminal_text.h"

namespace orvane::cli {
namespace {

std::string lines(std::initializer_list<std::pair<std::string_view, std::string>> rows) {
  std::string text;
  for (const auto& [label, value] : rows) {
    text += label;
    text += ": ";
    text += value;
    text += '\n';
  }
  return text;
}

}  // namespace

std::string basicSettingsText(const ModuleRecord& r) {
  return lines({{"MAC 地址", macText(r.mac)},
                {"固定ID", std::to_string(r.fixedId)},
                {"模块ID", std::to_string(r.moduleId)},
                {"名称", oneLine(nameUtf8(r))},
                {"描述", oneLine(descriptionUtf8(r))},
                {"IP地址", r.addressMode == 0 ? "自动获取IP地址" : "手动设置IP地址"},
                {"IP", dottedIpText(r.ipAddress)},
                {"子网掩码", dottedIpText(r.subnetMask)},
                {"网关", dottedIpText(r.gateway)},
                {"当前IP", dottedIpText(r.currentIp)},
                {"当前子网掩码", dottedIpText(r.currentMask)},
                {"当前网关", dottedIpText(r.currentGateway)}});
}

std::string basicSettingsJson(const ModuleRecord& r) {
  nlohmann::ordered_json j;
  j["mac"] = macText(r.mac);
  j["fixedId"] = r.fixedId;
  j["moduleId"] = r.moduleId;
  // Text the code page cannot show comes out replaced, never as broken JSON.
  j["name"] = nameUtf8(r);
  j["description"] = descriptionUtf8(r);
  j["addressMode"] = r.addressMode == 0 ? "auto" : "manual";
  j["ipAddress"] = dottedIpText(r.ipAddress);
  j["subnetMask"] = dottedIpText(r.subnetMask);
  j["gateway"] = dottedIpText(r.gateway);
  j["currentIp"] = dottedIpText(r.currentIp);
  j["currentMask"] = dottedIpText(r.currentMask);
  j["currentGateway"] = dottedIpText(r.currentGateway);
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string advancedSettingsText(const AdvancedSettings& s) {
  return lines({{"MAC 地址", macText(s.mac)},
                {"主机(ms)", std::to_string(s.masterTimeoutMs)},
                {"从机(sec)", std::to_string(s.slaveTimeoutSec)}});
}

std::string advancedSettingsJson(const AdvancedSettings& s) {
  nlohmann::ordered_json j;
  j["mac"] = macText(s.mac);
  j["masterTimeoutMs"] = s.masterTimeoutMs;
  j["slaveTimeoutSec"] = s.slaveTimeoutSec;
  j["reservedA"] = s.reservedA;
  j["reservedB"] = s.reservedB;
  j["reservedByte"] = s.reservedByte;
  return j.dump(2) + "\n";
}

std::string peerTableText(std::span<const PeerEntry> entries) {
  std::string text;
  for (const auto& e : entries) {
    const auto row = forms::peerRow(e);
    text += row.device + '\t' + row.kind + '\t' + row.config + '\n';
  }
  return text;
}

std::string peerTableJson(std::span<const PeerEntry> entries) {
  auto j = nlohmann::ordered_json::array();
  for (const auto& e : entries) {
    nlohmann::ordered_json entry;
    entry["device"] = e.device;
    entry["kind"] = forms::peerRow(e).kind;
    entry["ip"] = dottedIpText(e.ip);
    // A TRAX entry's port and unit ID are neither shown by the editor nor
    // taken from its row, so the file leaves them out and reads back as is.
    if (e.kind != kPeerKindTrax) {
      entry["port"] = e.port;
      entry["unit"] = e.unit;
    }
    j.push_back(entry);
  }
  return j.dump(2) + "\n";
}

}  // namespace orvane::cli
