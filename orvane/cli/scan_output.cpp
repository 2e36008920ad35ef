#include "scan_output.h"

#include <nlohmann/json.hpp>

#include "orvane/protocol/row_format.h"
#include "orvane/protocol/version_format.h"
#include "terminal_text.h"

namespace orvane::cli {
namespace {

nlohmann::ordered_json moduleJson(const ModuleRecord& r, int protocolType) {
  const auto row = formatModuleRow(r, protocolType);
  const auto panel = versionPanelTexts(r.runMode, r.versions);
  nlohmann::ordered_json j;
  j["mac"] = row.columns[kColumnMac];
  j["model"] = row.columns[kColumnModel];
  j["ip"] = dottedIpText(r.currentIp);
  j["id"] = row.columns[kColumnId];
  j["runMode"] = r.runMode;
  j["statusFlags"] = r.statusFlags;
  j["fixedId"] = r.fixedId;
  j["moduleId"] = r.moduleId;
  j["name"] = nameUtf8(r);
  j["description"] = descriptionUtf8(r);
  j["status"] = row.columns[kColumnStatus];
  j["statusLevel"] = row.level;
  j["version"] = row.columns[kColumnVersion];
  j["firmwareVersion"] = panel.firmware;
  j["bootVersion"] = panel.boot;
  j["pwbVersion"] = panel.pwb;
  j["pldVersion"] = panel.pld;
  j["switches"] = switchBitsText(r.versions.switchByte);
  j["interface"] = r.interfaceName;
  return j;
}

}  // namespace

std::string scanRowsText(const std::vector<ModuleRecord>& records, int protocolType) {
  std::string text;
  for (const auto& record : records) {
    const auto row = formatModuleRow(record, protocolType);
    for (int c = 0; c < kColumnCount; ++c) {
      if (c > 0) text += '\t';
      text += oneLine(row.columns[static_cast<std::size_t>(c)]);
    }
    if (!record.interfaceName.empty()) text += '\t' + oneLine(record.interfaceName);
    text += '\n';
  }
  return text;
}

std::string scanJson(const std::vector<ModuleRecord>& records, int protocolType) {
  auto array = nlohmann::ordered_json::array();
  for (const auto& record : records) array.push_back(moduleJson(record, protocolType));
  return array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace orvane::cli
