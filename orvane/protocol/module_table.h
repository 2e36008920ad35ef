#pragma once
// The view's module table: 256 records and the count of those in use
// (records 0 to count-1, in the order the modules answered).
//
// Shared by the user-interface thread (settings commands, the list) and the
// worker (scan, refresh). `mutex_` guards `records_` and `count_`: every
// access below takes it for one whole record read or write, so no thread
// ever sees a record half-written. Exchanges run outside the lock, on copies.
#include <array>
#include <cstddef>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "orvane/protocol/module_record.h"

namespace orvane {

inline constexpr int kModuleTableSize = 256;

class ModuleTable {
 public:
  ModuleTable() = default;
  ModuleTable(const ModuleTable&) = delete;
  ModuleTable& operator=(const ModuleTable&) = delete;

  int count() const;

  // The record at `index` (0 to 255, also beyond the count); nothing outside.
  std::optional<ModuleRecord> record(int index) const;

  // Runs `change` on the record at `index` under the lock; false outside 0-255.
  template <typename F>
  bool update(int index, F&& change) {
    if (index < 0 || index >= kModuleTableSize) return false;
    std::lock_guard lock(mutex_);
    change(records_[static_cast<std::size_t>(index)]);
    return true;
  }

  // Count 0 and every record reset: done before every scan.
  void resetAll();

  // Takes one discovery reply, with the interface it arrived on, as the
  // record at the count and increments the count. A full table takes nothing
  // more and returns false; the caller keeps receiving (and dropping) until
  // its time-out.
  bool appendDiscoveryReply(std::span<const std::uint8_t> reply,
                            std::string_view interfaceName = {});

  // Appends a record as it stands (the serial route's module list); false when full.
  bool append(const ModuleRecord& record);

  // Copies of records 0 to count-1, for a whole-list refresh.
  std::vector<ModuleRecord> snapshot() const;

  // The list lookup: the index of the first record in table order (0 to
  // count-1) whose mac holds the six bytes and, when the address names an
  // interface, that answered on it; 0 when none does.
  int findByMac(const ModuleAddress& address) const;
  // The same from a row's key (rowKeyText: "00.1A.2B.3C.4D.5E", or with
  // "%eth1"); text that does not parse matches nothing and gives 0.
  int findByMacText(std::string_view text) const;

 private:
  mutable std::mutex mutex_;
  std::array<ModuleRecord, kModuleTableSize> records_{};  // guarded by mutex_
  int count_ = 0;                                          // guarded by mutex_
};

}  // namespace orvane
