// The reader of the settings file: strict, and fuzzed (fuzz/).
#include <algorithm>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "orvane/protocol/row_format.h"
#include "orvane/settings_file/settings_document.h"
#include "platform/gbk.h"

namespace orvane::settings_file {
namespace {

using Json = nlohmann::ordered_json;

struct Refused : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void refuse(const std::string& where, std::string_view why) {
  throw Refused('"' + where + "\": " + std::string(why));
}

std::string path(const std::string& where, std::string_view key) {
  return where.empty() ? std::string(key) : where + '.' + std::string(key);
}

// An object whose keys are all among `allowed`.
const Json& object(const Json& value, const std::string& where,
                   std::initializer_list<std::string_view> allowed) {
  if (!value.is_object()) refuse(where, "应为对象");
  for (const auto& [key, member] : value.items())
    if (std::find(allowed.begin(), allowed.end(), key) == allowed.end())
      refuse(path(where, key), "未知的键");
  return value;
}

const Json& member(const Json& object, const std::string& where, const char* key) {
  const auto it = object.find(key);
  if (it == object.end()) refuse(path(where, key), "缺少此键");
  return *it;
}

std::uint64_t unsignedValue(const Json& object, const std::string& where, const char* key,
                            std::uint64_t maximum) {
  const auto& value = member(object, where, key);
  if (!value.is_number_unsigned() || value.get<std::uint64_t>() > maximum)
    refuse(path(where, key), "应为 0 到 " + std::to_string(maximum) + " 的整数");
  return value.get<std::uint64_t>();
}

template <typename T>
T fieldValue(const Json& object, const std::string& where, const char* key) {
  return static_cast<T>(unsignedValue(object, where, key, std::numeric_limits<T>::max()));
}

std::string textValue(const Json& object, const std::string& where, const char* key) {
  const auto& value = member(object, where, key);
  if (!value.is_string()) refuse(path(where, key), "应为文本");
  return value.get<std::string>();
}

Ipv4Bytes ipValue(const Json& object, const std::string& where, const char* key) {
  const auto text = textValue(object, where, key);
  const auto ip = parseDottedIp(text);
  if (!ip) refuse(path(where, key), "应为 IPv4 地址 (A.B.C.D)");
  return *ip;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "name" in UTF-8, or "nameGbk" in hex digits; either way the GBK bytes,
// which must fit the field whole.
template <std::size_t N>
void readText(const Json& basic, const char* key, std::array<char, N>& field) {
  const std::string where = std::string("basic.") + key;
  const std::string hexKey = std::string(key) + "Gbk";
  const bool utf8 = basic.contains(key);
  if (utf8 == basic.contains(hexKey)) refuse(where, "应有此键或 " + hexKey + " 二者之一");
  std::string gbk;
  if (utf8) {
    const auto text = textValue(basic, "basic", key);
    gbk = platform::utf8ToGbk(text);
    if (platform::gbkToUtf8(gbk) != text) refuse(where, "含有不是 UTF-8 或 GBK (代码页 936) 无法保存的字符");
  } else {
    const auto hex = textValue(basic, "basic", hexKey.c_str());
    if (hex.size() % 2 != 0) refuse("basic." + hexKey, "应为十六进制数字对");
    for (std::size_t i = 0; i < hex.size(); i += 2) {
      const int high = hexDigit(hex[i]), low = hexDigit(hex[i + 1]);
      if (high < 0 || low < 0) refuse("basic." + hexKey, "应为十六进制数字对");
      gbk.push_back(static_cast<char>(high * 16 + low));
    }
  }
  if (gbk.size() > N - 1 || gbk.find('\0') != std::string::npos)
    refuse(where, "超出 " + std::to_string(N - 1) + " 字节 (GBK) 或含有 NUL");
  setTextField(field, gbk);
}

void readBasic(const Json& doc, ModuleRecord& r) {
  const auto& b = object(member(doc, "", "basic"), "basic",
                         {"fixedId", "moduleId", "name", "nameGbk", "description", "descriptionGbk",
                          "addressMode", "ipAddress", "subnetMask", "gateway", "currentIp",
                          "currentMask", "currentGateway"});
  r.fixedId = fieldValue<std::uint8_t>(b, "basic", "fixedId");
  r.moduleId = fieldValue<std::uint32_t>(b, "basic", "moduleId");
  readText(b, "name", r.name);
  readText(b, "description", r.description);
  const auto mode = textValue(b, "basic", "addressMode");
  if (mode != "auto" && mode != "manual") refuse("basic.addressMode", "应为 \"auto\" 或 \"manual\"");
  r.addressMode = mode == "auto" ? 0 : 1;
  r.ipAddress = ipValue(b, "basic", "ipAddress");
  r.subnetMask = ipValue(b, "basic", "subnetMask");
  r.gateway = ipValue(b, "basic", "gateway");
  r.currentIp = ipValue(b, "basic", "currentIp");
  r.currentMask = ipValue(b, "basic", "currentMask");
  r.currentGateway = ipValue(b, "basic", "currentGateway");
}

void readAdvanced(const Json& doc, AdvancedSettings& s) {
  const auto& a = object(member(doc, "", "advanced"), "advanced",
                         {"masterTimeoutMs", "slaveTimeoutSec", "reservedA", "reservedB",
                          "reservedByte"});
  s.masterTimeoutMs = fieldValue<std::uint32_t>(a, "advanced", "masterTimeoutMs");
  s.slaveTimeoutSec = fieldValue<std::uint32_t>(a, "advanced", "slaveTimeoutSec");
  s.reservedA = fieldValue<std::uint32_t>(a, "advanced", "reservedA");
  s.reservedB = fieldValue<std::uint32_t>(a, "advanced", "reservedB");
  s.reservedByte = fieldValue<std::uint8_t>(a, "advanced", "reservedByte");
}

PeerEntry readPeer(const Json& value, const std::string& where) {
  const auto& p = object(value, where, {"device", "kind", "ip", "port", "unit", "reserved"});
  PeerEntry e;
  e.device = fieldValue<std::uint8_t>(p, where, "device");
  const auto& kind = member(p, where, "kind");
  if (kind == "TRAX") e.kind = kPeerKindTrax;
  else if (kind == "Modbus/TCP") e.kind = kPeerKindModbusTcp;
  else e.kind = fieldValue<std::uint8_t>(p, where, "kind");  // a code the editor does not name
  e.ip = ipValue(p, where, "ip");
  e.port = fieldValue<std::uint16_t>(p, where, "port");
  e.unit = fieldValue<std::uint8_t>(p, where, "unit");
  const auto& reserved = member(p, where, "reserved");
  if (!reserved.is_array() || reserved.size() != 3) refuse(where + ".reserved", "应为 3 个字节的数组");
  for (std::size_t i = 0; i < 3; ++i) {
    if (!reserved[i].is_number_unsigned() || reserved[i].get<std::uint64_t>() > 255)
      refuse(where + ".reserved", "应为 3 个字节的数组");
    e.reserved[i] = static_cast<std::uint8_t>(reserved[i].get<std::uint64_t>());
  }
  return e;
}

ModuleSettings readDocument(const Json& doc) {
  object(doc, "", {"format", "version", "mac", "basic", "advanced", "peers"});
  if (member(doc, "", "format") != std::string(kDocumentFormat))
    refuse("format", "应为 \"" + std::string(kDocumentFormat) + "\"（不是模块设置文件）");
  if (member(doc, "", "version") != kDocumentVersion)
    refuse("version", "不支持的版本（本程序读取版本 " + std::to_string(kDocumentVersion) + "）");
  ModuleSettings s;
  auto macText = textValue(doc, "", "mac");
  std::replace(macText.begin(), macText.end(), '-', '.');
  const auto mac = parseMacText(macText);
  if (!mac) refuse("mac", "应为 MAC 地址 (00-11-22-33-44-55)");
  s.basic.mac = s.advanced.mac = *mac;
  readBasic(doc, s.basic);
  readAdvanced(doc, s.advanced);
  const auto& peers = member(doc, "", "peers");
  if (!peers.is_array()) refuse("peers", "应为数组");
  // More than 30 entries read; the peer dialog's limit refuses them later
  // with its own message. The document's size bounds how many there are.
  for (std::size_t i = 0; i < peers.size(); ++i)
    s.peers.push_back(readPeer(peers[i], "peers[" + std::to_string(i + 1) + "]"));
  return s;
}

}  // namespace

DocumentReading readSettingsDocument(std::string_view text) {
  DocumentReading reading;
  if (text.size() > kMaxDocumentBytes) {
    reading.error = "文件过大（模块设置文件不超过 " + std::to_string(kMaxDocumentBytes) + " 字节）";
    return reading;
  }
  const auto doc = Json::parse(text, nullptr, false);
  if (doc.is_discarded()) {
    reading.error = "不是有效的 JSON 文档";
    return reading;
  }
  try {
    reading.settings = readDocument(doc);
  } catch (const Refused& refused) {
    reading.error = refused.what();
  }
  return reading;
}

}  // namespace orvane::settings_file
