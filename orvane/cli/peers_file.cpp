#include "peers_file.h"

#include <nlohmann/json.hpp>

#include "orvane/protocol/row_format.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/forms/add_device_form.h"
#include "orvane/forms/form_texts.h"

namespace orvane::cli {
namespace {

using Json = nlohmann::json;

// A number field as the dialog's edit would hold it.
std::string editText(const Json& entry, const char* key, int fallback) {
  if (!entry.contains(key)) return std::to_string(fallback);
  const auto& v = entry[key];
  if (v.is_number_integer()) return std::to_string(v.get<long long>());
  if (v.is_string()) return v.get<std::string>();
  throw std::invalid_argument(std::string("\"") + key + "\" 应为整数");
}

bool traxKind(const Json& entry) {
  if (!entry.contains("kind")) return false;
  const auto& k = entry["kind"];
  if (k == "TRAX" || k == kPeerKindTrax) return true;
  if (k == "Modbus/TCP" || k == "Modbus" || k == kPeerKindModbusTcp) return false;
  throw std::invalid_argument("\"kind\" 应为 \"TRAX\" 或 \"Modbus/TCP\"");
}

forms::AddDeviceForm entryForm(const Json& entry) {
  if (!entry.is_object()) throw std::invalid_argument("应为对象");
  for (const auto& [key, value] : entry.items())
    if (key != "device" && key != "kind" && key != "ip" && key != "port" && key != "unit")
      throw std::invalid_argument("未知的键 \"" + key + "\"");
  if (!entry.contains("device")) throw std::invalid_argument("缺少 \"device\"");
  if (!entry.contains("ip") || !entry["ip"].is_string()) throw std::invalid_argument("缺少 \"ip\"");
  const auto ip = parseDottedIp(entry["ip"].get<std::string>());
  if (!ip) throw std::invalid_argument("无效的IP地址 \"" + entry["ip"].get<std::string>() + "\"");
  forms::AddDeviceForm form;
  form.deviceText = editText(entry, "device", 1);
  form.trax = traxKind(entry);
  form.traxIp = form.modbusIp = *ip;
  form.portText = editText(entry, "port", 502);
  form.unitText = editText(entry, "unit", 255);
  return form;
}

}  // namespace

PeerFile readPeerFile(std::string_view text) {
  PeerFile file;
  const auto json = Json::parse(text, nullptr, false);
  if (json.is_discarded() || !json.is_array()) {
    file.formatError = "应为条目的 JSON 数组";
    return file;
  }
  if (json.size() > kMaxPeerEntries) {
    file.refusal = forms::texts::kTooManyPeers;
    file.refusalCaption = texts::kCaptionWarning;
    return file;
  }
  for (std::size_t i = 0; i < json.size(); ++i) {
    forms::AddDeviceForm form;
    try {
      form = entryForm(json[i]);
    } catch (const std::exception& e) {
      file.formatError = "第 " + std::to_string(i + 1) + " 个条目: " + e.what();
      return file;
    }
    if (const auto check = forms::checkAddDeviceForm(form); !check.ok()) {
      file.refusal = check.message;
      file.refusalCaption = texts::kCaptionError;
      file.refusedEntry = static_cast<int>(i + 1);
      return file;
    }
    PeerEntry entry;
    forms::applyAddDeviceForm(form, entry);
    file.entries.push_back(entry);
  }
  return file;
}

}  // namespace orvane::cli
