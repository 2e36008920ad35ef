#include "upgrade_terminal.h"

#include <algorithm>
#include <cstdio>

namespace orvane::cli {
namespace {

constexpr int kBarWidth = 40;
constexpr int kLineStep = 10;  // percent between two lines off a terminal

bool meansYes(std::string answer) {
  while (!answer.empty() && (answer.back() == '\r' || answer.back() == ' ')) answer.pop_back();
  for (const char* yes : {"y", "Y", "yes", "YES", "Yes", "是", "确定"})
    if (answer == yes) return true;
  return false;
}

}  // namespace

std::string progressBarText(int percent) {
  percent = std::clamp(percent, 0, 100);
  const int filled = percent * kBarWidth / 100;
  char number[8];
  std::snprintf(number, sizeof number, "%3d%%", percent);
  return "[" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] " + number;
}

void TerminalUpgradeUi::setRows(std::vector<std::string> macTexts) {
  std::lock_guard lock(mutex_);
  rows_ = std::move(macTexts);
}

std::string TerminalUpgradeUi::rowMacText(int row) {
  std::lock_guard lock(mutex_);
  if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
  return rows_[static_cast<std::size_t>(row)];
}

void TerminalUpgradeUi::progress(int percent) {
  std::lock_guard lock(mutex_);
  if (terminal_) drawBar(percent);
  else writeLine(percent);
  if (percent >= 100) shown_ = -1;  // a later run starts afresh
  err_.flush();
}

void TerminalUpgradeUi::drawBar(int percent) {
  if (percent == shown_) return;
  shown_ = percent;
  err_ << '\r' << progressBarText(percent);
  if (percent >= 100) err_ << '\n';
}

// 100 only closes the editor's dialog, after a failure as well: a line would
// claim a finished download, and the outcome follows anyway.
void TerminalUpgradeUi::writeLine(int percent) {
  if (percent >= 100 || percent / kLineStep <= std::max(shown_, 0) / kLineStep) return;
  shown_ = percent;
  err_ << "进度 " << percent << "%\n";
}

MessageAnswer TerminalUpgradePrompt::messageBox(std::string_view text, std::string_view caption,
                                                MessageIcon icon, MessageButtons buttons) {
  std::lock_guard lock(mutex_);
  if (buttons == MessageButtons::Ok) {
    const bool problem = icon == MessageIcon::Error || icon == MessageIcon::Warning;
    (problem ? err_ : out_) << caption << ": " << text << std::endl;
    return MessageAnswer::Ok;
  }
  err_ << caption << ": " << text << " [y/N] ";
  if (assumeYes_) {
    err_ << "y (--yes)" << std::endl;
    return MessageAnswer::Ok;
  }
  err_.flush();
  std::string answer;
  if (!std::getline(in_, answer)) {
    err_ << std::endl;
    return MessageAnswer::Cancel;
  }
  return meansYes(answer) ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<std::filesystem::path> TerminalUpgradePrompt::chooseFile(
    const std::filesystem::path& initial, std::string_view) {
  return initial;
}

}  // namespace orvane::cli
