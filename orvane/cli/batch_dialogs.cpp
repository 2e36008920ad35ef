#include "batch_dialogs.h"

#include "terminal_text.h"
#include "orvane/protocol/row_format.h"

namespace orvane::cli {
namespace {

void compare(std::vector<std::string>& lines, std::string_view label, const std::string& before,
             const std::string& after) {
  if (before != after)
    lines.push_back(std::string(label) + ": " + oneLine(before) + " → " + oneLine(after));
}

std::string addressingText(std::uint8_t addressMode) {
  return addressMode == 0 ? "自动获取IP地址" : "手动设置IP地址";
}

}  // namespace

std::vector<std::string> basicDifferences(const ModuleRecord& b, const ModuleRecord& a) {
  std::vector<std::string> lines;
  compare(lines, "模块ID", std::to_string(b.moduleId), std::to_string(a.moduleId));
  compare(lines, "名称", nameUtf8(b), nameUtf8(a));
  compare(lines, "描述", descriptionUtf8(b), descriptionUtf8(a));
  compare(lines, "IP地址", addressingText(b.addressMode), addressingText(a.addressMode));
  compare(lines, "IP", dottedIpText(b.ipAddress), dottedIpText(a.ipAddress));
  compare(lines, "子网掩码", dottedIpText(b.subnetMask), dottedIpText(a.subnetMask));
  compare(lines, "网关", dottedIpText(b.gateway), dottedIpText(a.gateway));
  return lines;
}

std::vector<std::string> advancedDifferences(const AdvancedSettings& b, const AdvancedSettings& a) {
  std::vector<std::string> lines;
  compare(lines, "主机(ms)", std::to_string(b.masterTimeoutMs), std::to_string(a.masterTimeoutMs));
  compare(lines, "从机(sec)", std::to_string(b.slaveTimeoutSec), std::to_string(a.slaveTimeoutSec));
  return lines;
}

void BatchDialogs::begin(const BatchLine& line) {
  inner_.emplace(prompt_, out_, false);
  inner_->basic = line.basic;
  inner_->advanced = line.advanced;
  changed_ = false;
  differences_.clear();
}

bool BatchDialogs::editBasicSettings(ModuleRecord& record, int protocolType) {
  auto edited = record;
  if (!inner_ || !inner_->editBasicSettings(edited, protocolType)) return changed_ = false;
  if (!take(basicDifferences(record, edited))) return false;
  record = edited;
  return true;
}

bool BatchDialogs::editAdvancedSettings(AdvancedSettings& settings) {
  auto edited = settings;
  if (!inner_ || !inner_->editAdvancedSettings(edited)) return changed_ = false;
  if (!take(advancedDifferences(settings, edited))) return false;
  settings = edited;
  return true;
}

// Whether OK is pressed: something differs and this is no dry run.
bool BatchDialogs::take(std::vector<std::string> differences) {
  changed_ = !differences.empty();
  differences_.insert(differences_.end(), differences.begin(), differences.end());
  return changed_ && !dryRun_;
}

}  // namespace orvane::cli
