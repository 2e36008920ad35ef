#pragma once
// The UI port and prompt of orvane-cli: direct calls on the calling thread.
// Nothing is drawn; status texts are kept, and boxes go to standard error.
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "orvane/protocol/prompt.h"
#include "orvane/protocol/status_text.h"
#include "orvane/protocol/ui_port.h"

namespace orvane::cli {

class CliUiPort final : public UiPort {
 public:
  void attach(StatusText& status) { status_ = &status; }
  std::string lastShownText() const;

  void refreshList(int) override {}
  void statusPosted() override;
  void setStatusText() override;
  void showVersions(std::uint8_t, const ModuleVersionInfo&) override {}
  void selectionState(int, std::uint8_t) override {}
  void progress(int) override {}
  void busyIndicator(bool) override {}
  bool hasProgressControl() const override { return false; }
  void portButton(const std::string&, bool) override {}
  bool hasPortButton() const override { return false; }
  void waitCursor(bool) override {}
  void setRowText(int, int, const std::string&) override {}
  // The list of the command line: one row per module, in table order, its
  // MAC text as column 0. Set on the calling thread before a command runs.
  void setRows(std::vector<std::string> macTexts);
  std::string rowMacText(int row) override;

 private:
  StatusText* status_ = nullptr;
  mutable std::mutex mutex_;
  std::string lastShown_;          // guarded by mutex_
  std::vector<std::string> rows_;  // guarded by mutex_
};

// Never confirms: a question with OK and Cancel is answered Cancel, since a
// command line cannot ask. Every box is written to `err` as "caption: text",
// a peer's control characters in it as spaces (terminal_text.h).
class CliPrompt final : public Prompt {
 public:
  explicit CliPrompt(std::ostream& err) : err_(err) {}
  MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(const std::filesystem::path&,
                                                  std::string_view) override {
    return std::nullopt;
  }
  std::optional<int> choosePort(int) override { return std::nullopt; }

 private:
  std::ostream& err_;
  std::mutex mutex_;
};

}  // namespace orvane::cli
