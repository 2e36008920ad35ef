#pragma once
// A UI port and a prompt for tests: every call is recorded as one line of
// text; status texts are delivered at once, as the GUI would after its
// queued calls; the prompt answers from a script.
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "orvane/protocol/prompt.h"
#include "orvane/protocol/status_text.h"
#include "orvane/protocol/ui_port.h"

namespace orvane::testing {

class RecordingUi : public UiPort {
 public:
  StatusText* status = nullptr;  // set once the core exists
  bool progressControl = true;
  bool portButtonExists = true;
  std::vector<std::string> rows;  // column 0 texts of the list, for rowMacText

  void refreshList(int row) override { add("refreshList " + std::to_string(row)); }
  void statusPosted() override {
    if (status) status->onStatusPosted();
  }
  void setStatusText() override {
    const auto text = status ? status->pending() : std::string();
    std::lock_guard lock(mutex_);
    shown_.push_back(text);
    events_.push_back("status " + text);
  }
  void showVersions(std::uint8_t runMode, const ModuleVersionInfo& v) override {
    std::lock_guard lock(mutex_);
    versions_.push_back(v);
    events_.push_back("showVersions " + std::to_string(runMode));
  }
  void selectionState(int protocolType, std::uint8_t runMode) override {
    add("selectionState " + std::to_string(protocolType) + " " + std::to_string(runMode));
  }
  void progress(int percent) override { add("progress " + std::to_string(percent)); }
  void busyIndicator(bool on) override { add(on ? "busy on" : "busy off"); }
  bool hasProgressControl() const override { return progressControl; }
  void portButton(const std::string& text, bool enabled) override {
    add("portButton " + text + (enabled ? " enabled" : " disabled"));
  }
  bool hasPortButton() const override { return portButtonExists; }
  void waitCursor(bool on) override { add(on ? "cursor on" : "cursor off"); }
  void setRowText(int row, int column, const std::string& text) override {
    add("rowText " + std::to_string(row) + " " + std::to_string(column) + " " + text);
  }
  std::string rowMacText(int row) override {
    return row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)]
                                                           : std::string();
  }

  std::vector<std::string> events() const { std::lock_guard l(mutex_); return events_; }
  std::vector<std::string> shownTexts() const { std::lock_guard l(mutex_); return shown_; }
  std::vector<ModuleVersionInfo> shownVersions() const { std::lock_guard l(mutex_); return versions_; }
  int count(const std::string& event) const {
    int n = 0;
    for (const auto& e : events()) n += e == event;
    return n;
  }

 private:
  void add(std::string e) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(e));
  }
  mutable std::mutex mutex_;
  std::vector<std::string> events_;
  std::vector<std::string> shown_;
  std::vector<ModuleVersionInfo> versions_;
};

class ScriptedPrompt final : public Prompt {
 public:
  struct Box {
    std::string text, caption;
    MessageIcon icon;
    MessageButtons buttons;
  };
  std::deque<MessageAnswer> answers;     // Ok when empty
  std::deque<std::optional<int>> ports;  // cancelled when empty
  std::deque<std::filesystem::path> files;  // both file dialogs; cancelled when empty
  std::vector<Box> boxes;
  std::vector<int> portDialogs;

  MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons buttons) override {
    boxes.push_back({std::string(text), std::string(caption), icon, buttons});
    if (answers.empty()) return MessageAnswer::Ok;
    const auto a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::filesystem::path> chooseFile(const std::filesystem::path&,
                                                  std::string_view) override {
    return nextFile();
  }
  std::optional<std::filesystem::path> chooseSaveFile(const std::filesystem::path&,
                                                      std::string_view) override {
    return nextFile();
  }
  std::optional<std::filesystem::path> nextFile() {
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
  }
  std::optional<int> choosePort(int current) override {
    portDialogs.push_back(current);
    if (ports.empty()) return std::nullopt;
    const auto p = ports.front();
    ports.pop_front();
    return p;
  }
};

}  // namespace orvane::testing
