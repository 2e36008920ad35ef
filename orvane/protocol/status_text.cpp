#include "status_text.h"

namespace orvane {

void StatusText::set(std::string_view text) {
  if (flags_.closing) return;
  {
    std::lock_guard lock(mutex_);
    pending_.assign(text);
  }
  ui_.statusPosted();
}

std::string StatusText::pending() const {
  std::lock_guard lock(mutex_);
  return pending_;
}

void StatusText::onStatusPosted() {
  if (displayEnabled_) ui_.setStatusText();
}

}  // namespace orvane
