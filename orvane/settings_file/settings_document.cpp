#include "settings_document.h"

#include <nlohmann/json.hpp>

#include "orvane/protocol/row_format.h"
#include "platform/gbk.h"

namespace orvane::settings_file {
namespace {

using Json = nlohmann::ordered_json;

// Texts are written in UTF-8; bytes that would not come back the same
// from UTF-8 are written as "<key>Gbk", their hex digits, instead.
void putText(Json& object, const std::string& key, std::string_view gbk) {
  const auto utf8 = platform::gbkToUtf8(gbk);
  if (platform::utf8ToGbk(utf8) == gbk) {
    object[key] = utf8;
    return;
  }
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (const unsigned char c : gbk) hex += {kDigits[c >> 4], kDigits[c & 15]};
  object[key + "Gbk"] = hex;
}

Json peerJson(const PeerEntry& e) {
  Json entry;
  entry["device"] = e.device;
  entry["kind"] = e.kind == kPeerKindTrax ? Json("TRAX") : e.kind == kPeerKindModbusTcp
                                                                ? Json("Modbus/TCP")
                                                                : Json(e.kind);
  entry["ip"] = dottedIpText(e.ip);
  entry["port"] = e.port;
  entry["unit"] = e.unit;
  entry["reserved"] = Json::array({e.reserved[0], e.reserved[1], e.reserved[2]});
  return entry;
}

}  // namespace

std::string writeSettingsDocument(const ModuleSettings& s) {
  Json doc;
  doc["format"] = kDocumentFormat;
  doc["version"] = kDocumentVersion;
  doc["mac"] = dashedMacText(s.basic.mac);
  Json basic;
  basic["fixedId"] = s.basic.fixedId;
  basic["moduleId"] = s.basic.moduleId;
  putText(basic, "name", textField(s.basic.name));
  putText(basic, "description", textField(s.basic.description));
  basic["addressMode"] = s.basic.addressMode == 0 ? "auto" : "manual";
  basic["ipAddress"] = dottedIpText(s.basic.ipAddress);
  basic["subnetMask"] = dottedIpText(s.basic.subnetMask);
  basic["gateway"] = dottedIpText(s.basic.gateway);
  basic["currentIp"] = dottedIpText(s.basic.currentIp);
  basic["currentMask"] = dottedIpText(s.basic.currentMask);
  basic["currentGateway"] = dottedIpText(s.basic.currentGateway);
  doc["basic"] = basic;
  Json advanced;
  advanced["masterTimeoutMs"] = s.advanced.masterTimeoutMs;
  advanced["slaveTimeoutSec"] = s.advanced.slaveTimeoutSec;
  advanced["reservedA"] = s.advanced.reservedA;
  advanced["reservedB"] = s.advanced.reservedB;
  advanced["reservedByte"] = s.advanced.reservedByte;
  doc["advanced"] = advanced;
  doc["peers"] = Json::array();
  for (const auto& e : s.peers) doc["peers"].push_back(peerJson(e));
  return doc.dump(2) + '\n';
}

}  // namespace orvane::settings_file
