#include "module_table.h"

#include "orvane/protocol/module_replies.h"
#include "orvane/protocol/row_format.h"

namespace orvane {

int ModuleTable::count() const {
  std::lock_guard lock(mutex_);
  return count_;
}

std::optional<ModuleRecord> ModuleTable::record(int index) const {
  if (index < 0 || index >= kModuleTableSize) return std::nullopt;
  std::lock_guard lock(mutex_);
  return records_[static_cast<std::size_t>(index)];
}

void ModuleTable::resetAll() {
  std::lock_guard lock(mutex_);
  count_ = 0;
  for (auto& r : records_) resetRecord(r);
}

bool ModuleTable::appendDiscoveryReply(std::span<const std::uint8_t> reply,
                                       std::string_view interfaceName) {
  std::lock_guard lock(mutex_);
  if (count_ >= kModuleTableSize) return false;
  auto& record = records_[static_cast<std::size_t>(count_)];
  takeDiscoveryReply(reply, record);
  record.interfaceName = interfaceName;
  ++count_;
  return true;
}

bool ModuleTable::append(const ModuleRecord& record) {
  std::lock_guard lock(mutex_);
  if (count_ >= kModuleTableSize) return false;
  records_[static_cast<std::size_t>(count_)] = record;
  ++count_;
  return true;
}

std::vector<ModuleRecord> ModuleTable::snapshot() const {
  std::lock_guard lock(mutex_);
  return {records_.begin(), records_.begin() + count_};
}

int ModuleTable::findByMac(const ModuleAddress& address) const {
  std::lock_guard lock(mutex_);
  for (int i = 0; i < count_; ++i) {
    const auto& record = records_[static_cast<std::size_t>(i)];
    if (record.mac != address.mac) continue;
    if (address.interfaceName.empty() || record.interfaceName == address.interfaceName) return i;
  }
  return 0;
}

int ModuleTable::findByMacText(std::string_view text) const {
  const auto address = parseRowKey(text);
  return address ? findByMac(*address) : 0;
}

}  // namespace orvane
