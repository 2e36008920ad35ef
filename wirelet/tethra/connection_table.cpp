#include "wirelet/tethra/connection_table.h"

#include <climits>

namespace tethra {

int ConnectionTable::add(int fd) {
  std::lock_guard lock(mutex_);
  if (lastHandle_ == INT_MAX) return 0;
  fds_[++lastHandle_] = fd;
  return lastHandle_;
}

std::optional<int> ConnectionTable::find(int handle) const {
  std::lock_guard lock(mutex_);
  const auto it = fds_.find(handle);
  if (it == fds_.end()) return std::nullopt;
  return it->second;
}

std::optional<int> ConnectionTable::remove(int handle) {
  std::lock_guard lock(mutex_);
  const auto it = fds_.find(handle);
  if (it == fds_.end()) return std::nullopt;
  const int fd = it->second;
  fds_.erase(it);
  return fd;
}

ConnectionTable& connections() {
  static ConnectionTable table;
  return table;
}

}  // namespace tethra
