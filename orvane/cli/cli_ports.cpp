#include "cli_ports.h"
#include "terminal_text.h"

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

void CliUiPort::setRows(std::vector<std::string> macTexts) {
  std::lock_guard lock(mutex_);
  rows_ = std::move(macTexts);
}

std::string CliUiPort::rowMacText(int row) {
  std::lock_guard lock(mutex_);
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return {};
  return rows_[static_cast<std::size_t>(row)];
}

MessageAnswer CliPrompt::messageBox(std::string_view text, std::string_view caption, MessageIcon,
                                    MessageButtons buttons) {
  std::lock_guard lock(mutex_);
  err_ << caption << ": " << withoutTerminalControls(std::string(text)) << '\n';
  return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace orvane::cli
