#include "terminal_prompt.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>
#include <string>

namespace orvane::cli {

bool isYes(std::string_view answer) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!answer.empty() && blank(answer.front())) answer.remove_prefix(1);
  while (!answer.empty() && blank(answer.back())) answer.remove_suffix(1);
  std::string lower(answer);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower == "y" || lower == "yes" || lower == "ok" || lower == "是" || lower == "确定";
}

MessageAnswer TerminalPrompt::messageBox(std::string_view text, std::string_view caption,
                                         MessageIcon, MessageButtons buttons) {
  std::lock_guard lock(mutex_);
  if (buttons == MessageButtons::Ok) {
    err_ << caption << ": " << text << '\n';
    return MessageAnswer::Ok;
  }
  ++questions_;
  if (assumeYes_) return MessageAnswer::Ok;
  err_ << caption << ": " << text << " [y/N] " << std::flush;
  std::string line;
  if (!std::getline(in_, line)) {
    err_ << '\n';
    return MessageAnswer::Cancel;
  }
  return isYes(line) ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace orvane::cli
