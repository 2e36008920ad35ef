#pragma once
// The terminal side of `orvane-cli upgrade`: a progress bar with its
// percentage in place of the progress dialog, and questions answered on the
// terminal (or by --yes) in place of the message boxes.
#include <istream>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "cli_ports.h"
#include "orvane/protocol/prompt.h"
#include "orvane/protocol/ui_port.h"

namespace orvane::cli {

// "[#######.............]  35%", redrawn in place with a carriage return
// whenever the value changes; 100 ends the line.
std::string progressBarText(int percent);

// The CLI's UI port with the progress on `err`: on a terminal the bar; in a
// file or a pipe one line "进度 N%" each time a further tenth is reached
// (none for the 100 that ends every run, failed ones too).
// The list rows are those the command found, so the worker finds its module
// through them.
class TerminalUpgradeUi final : public UiPort {
 public:
  TerminalUpgradeUi(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}
  void attach(StatusText& status) { inner_.attach(status); }
  void setRows(std::vector<std::string> macTexts);

  void refreshList(int row) override { inner_.refreshList(row); }
  void statusPosted() override { inner_.statusPosted(); }
  void setStatusText() override { inner_.setStatusText(); }
  void showVersions(std::uint8_t, const ModuleVersionInfo&) override {}
  void selectionState(int, std::uint8_t) override {}
  void progress(int percent) override;
  void busyIndicator(bool) override {}
  bool hasProgressControl() const override { return false; }
  void portButton(const std::string&, bool) override {}
  bool hasPortButton() const override { return false; }
  void waitCursor(bool) override {}
  void setRowText(int, int, const std::string&) override {}
  std::string rowMacText(int row) override;

 private:
  void drawBar(int percent);
  void writeLine(int percent);

  CliUiPort inner_;
  std::ostream& err_;
  const bool terminal_;
  std::mutex mutex_;
  std::vector<std::string> rows_;  // guarded by mutex_
  int shown_ = -1;                 // guarded by mutex_; the value on the bar or the last line
};

// Errors and warnings go to `err` as "caption: text", and so do questions,
// answered from `in` (y, yes, 是 or 确定 mean OK; anything else and the end
// of input mean Cancel), or OK at once with `assumeYes`. Only the remaining
// information boxes (the outcome: "成功: ...") go to `out`. The file choice
// takes the initial file: a command line names its file up front.
class TerminalUpgradePrompt final : public Prompt {
 public:
  TerminalUpgradePrompt(std::ostream& out, std::ostream& err, std::istream& in, bool assumeYes)
      : out_(out), err_(err), in_(in), assumeYes_(assumeYes) {}

  MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(const std::filesystem::path& initial,
                                                  std::string_view) override;
  std::optional<int> choosePort(int) override { return std::nullopt; }

 private:
  std::ostream& out_;
  std::ostream& err_;
  std::istream& in_;
  bool assumeYes_;
  std::mutex mutex_;
};

}  // namespace orvane::cli
