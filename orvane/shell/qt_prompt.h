#pragma once
// The editor's Prompt: message boxes, the file-open dialog and the port
// dialog, shown on the user-interface thread. A worker that asks waits in a
// sent call until the user has answered.
#include <QFileDialog>
#include <QPointer>
#include <QWidget>

#include "orvane/widgets/gui_thread_calls.h"
#include "orvane/protocol/prompt.h"

namespace orvane {

class QtPrompt final : public Prompt {
 public:
  explicit QtPrompt(GuiThreadCalls& calls) : calls_(calls) {}

  // The window the dialogs belong to; set on the user-interface thread
  // before any worker starts.
  void setParentWindow(QWidget* window) { parent_ = window; }

  MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(const std::filesystem::path& initial,
                                                  std::string_view filter) override;
  std::optional<std::filesystem::path> chooseSaveFile(const std::filesystem::path& initial,
                                                      std::string_view filter) override;
  std::optional<int> choosePort(int current) override;

 private:
  // QFileDialog::getOpenFileName or getSaveFileName.
  using FileDialog = QString (*)(QWidget*, const QString&, const QString&, const QString&, QString*,
                                 QFileDialog::Options);
  std::optional<std::filesystem::path> chooseWith(FileDialog dialog, std::string_view title,
                                                  const std::filesystem::path& initial,
                                                  std::string_view filter);

  GuiThreadCalls& calls_;
  QPointer<QWidget> parent_;  // user-interface thread only
};

// The message box itself, on the user-interface thread: "确定" (and "取消");
// anything but "确定" answers Cancel.
MessageAnswer showMessageBox(QWidget* parent, std::string_view text, std::string_view caption,
                             MessageIcon icon, MessageButtons buttons);

}  // namespace orvane
