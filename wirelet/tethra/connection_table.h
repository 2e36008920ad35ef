#pragma once
// Open connections by handle. Handles count up from 1 and are not reused
// while the process lives, so a stale handle finds nothing instead of
// somebody else's port.
#include <map>
#include <mutex>
#include <optional>

namespace tethra {

class ConnectionTable {
 public:
  // A new handle for an open descriptor; 0 when the handles ran out.
  int add(int fd);
  std::optional<int> find(int handle) const;
  // Forgets the handle and gives back its descriptor.
  std::optional<int> remove(int handle);

 private:
  mutable std::mutex mutex_;  // guards everything below
  std::map<int, int> fds_;
  int lastHandle_ = 0;
};

// The table of the process.
ConnectionTable& connections();

}  // namespace tethra
