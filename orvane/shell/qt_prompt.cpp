#include "qt_prompt.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "dlg_port.h"
#include "file_filter.h"
#include "platform/com_map.h"
#include "qt_text.h"
#include "shell_texts.h"

namespace orvane {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer showMessageBox(QWidget* parent, std::string_view text, std::string_view caption,
                             MessageIcon icon, MessageButtons buttons) {
  QMessageBox box(qtIcon(icon), qtText(caption), qtText(text), QMessageBox::NoButton, parent);
  QPushButton* ok = box.addButton(qtText(shell_texts::kOk), QMessageBox::AcceptRole);
  if (buttons == MessageButtons::OkCancel) {
    QPushButton* cancel = box.addButton(qtText(shell_texts::kCancel), QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
  }
  box.setDefaultButton(ok);
  box.exec();
  return box.clickedButton() == ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

MessageAnswer QtPrompt::messageBox(std::string_view text, std::string_view caption,
                                   MessageIcon icon, MessageButtons buttons) {
  return calls_.send([&] { return showMessageBox(parent_, text, caption, icon, buttons); });
}

std::optional<std::filesystem::path> QtPrompt::chooseWith(FileDialog dialog, std::string_view title,
                                                          const std::filesystem::path& initial,
                                                          std::string_view filter) {
  return calls_.send([&]() -> std::optional<std::filesystem::path> {
    const QString chosen = dialog(parent_, qtText(title), QString::fromStdU16String(initial.u16string()),
                                  qtText(qtFileFilter(filter)), nullptr, {});
    if (chosen.isEmpty()) return std::nullopt;
    return std::filesystem::path(chosen.toStdU16String());
  });
}

std::optional<std::filesystem::path> QtPrompt::chooseFile(const std::filesystem::path& initial,
                                                          std::string_view filter) {
  return chooseWith(&QFileDialog::getOpenFileName, shell_texts::kOpenFile, initial, filter);
}

std::optional<std::filesystem::path> QtPrompt::chooseSaveFile(const std::filesystem::path& initial,
                                                              std::string_view filter) {
  return chooseWith(&QFileDialog::getSaveFileName, shell_texts::kSaveFile, initial, filter);
}

std::optional<int> QtPrompt::choosePort(int current) {
  return calls_.send([&]() -> std::optional<int> {
    CDlgPort dialog(current, platform::availableComPorts(), parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.portNumber();
  });
}

}  // namespace orvane
