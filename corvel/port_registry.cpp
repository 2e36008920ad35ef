#include "corvel/port_registry.h"

namespace corvel {

PortRegistry& PortRegistry::instance() {
  static PortRegistry registry;
  return registry;
}

PortState PortRegistry::get(int fd) {
  std::lock_guard lock(mutex_);
  const auto it = ports_.find(fd);
  return it == ports_.end() ? PortState{} : it->second;
}

void PortRegistry::update(int fd, const std::function<void(PortState&)>& change) {
  std::lock_guard lock(mutex_);
  change(ports_[fd]);
}

void PortRegistry::forget(int fd) {
  std::lock_guard lock(mutex_);
  ports_.erase(fd);
}

}  // namespace corvel
