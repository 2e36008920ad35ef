#include "corvel/port_registry.h"

namespace corvel {

PortRegistry& PortRegistry::instance() {
  static PortRegistry registry;
  return registry;
}

void PortRegistry::add(int fd, FileIdentity file) {
  std::lock_guard lock(mutex_);
  PortState fresh;
  fresh.file = file;
  ports_[fd] = fresh;
}

std::optional<PortState> PortRegistry::find(int fd) {
  std::lock_guard lock(mutex_);
  const auto it = ports_.find(fd);
  if (it == ports_.end()) return std::nullopt;
  return it->second;
}

PortState PortRegistry::get(int fd) { return find(fd).value_or(PortState{}); }

void PortRegistry::update(int fd, const std::function<void(PortState&)>& change) {
  std::lock_guard lock(mutex_);
  const auto it = ports_.find(fd);
  if (it != ports_.end()) change(it->second);
}

void PortRegistry::forget(int fd) {
  std::lock_guard lock(mutex_);
  ports_.erase(fd);
}

}  // namespace corvel
