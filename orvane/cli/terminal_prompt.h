#pragma once
// The prompt of the subcommands that may need a confirmation: boxes go to
// standard error as "caption: text" (as CliPrompt writes them); a question
// with OK and Cancel is asked on the terminal ("[y/N]") and answered from
// standard input, or answered OK at once when the user gave --yes. End of
// input answers Cancel.
#include <iosfwd>
#include <mutex>

#include "orvane/protocol/prompt.h"

namespace orvane::cli {

class TerminalPrompt final : public Prompt {
 public:
  TerminalPrompt(std::ostream& err, std::istream& in, bool assumeYes)
      : err_(err), in_(in), assumeYes_(assumeYes) {}

  MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(const std::filesystem::path&,
                                                  std::string_view) override {
    return std::nullopt;
  }
  std::optional<int> choosePort(int) override { return std::nullopt; }

  int questionsAsked() const { return questions_; }

 private:
  std::ostream& err_;
  std::istream& in_;
  bool assumeYes_;
  int questions_ = 0;
  std::mutex mutex_;  // boxes may come from the worker
};

// "y", "yes", "是", "确定" or "ok" in any case, surrounding blanks ignored.
bool isYes(std::string_view answer);

}  // namespace orvane::cli
