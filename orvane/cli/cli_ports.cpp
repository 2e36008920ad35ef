#include "cli_ports.h"

namespace orvane::cli {

std::string CliUiPort::lastShownText() const {
  std::lock_guard lock(mutex_);
  return lastShown_;
}

void CliUiPort::statusPosted() {
  if (status_) status_->onStatusPosted();
}

void CliUiPort::setStatusText() {
  if (!status_) return;
  auto text = status_->pending();
  std::lock_guard lock(mutex_);
  lastShown_ = std::move(text);
}

MessageAnswer CliPrompt::messageBox(std::string_view text, std::string_view caption, MessageIcon,
                                    MessageButtons buttons) {
  std::lock_guard lock(mutex_);
  err_ << caption << ": " << text << '\n';
  return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace orvane::cli
