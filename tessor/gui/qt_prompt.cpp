#include "tessor/gui/qt_prompt.h"

#include <QMessageBox>
#include <QPushButton>

#include "tessor/gui/qt_text.h"

namespace tessor {

namespace {

QMessageBox::Icon qtIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

PromptAnswer showMessageBox(QWidget* parent, const PromptMessage& m) {
  QMessageBox box(qtIcon(m.icon), qtText(m.caption), qtText(m.text), QMessageBox::NoButton, parent);
  const bool yesNo = m.buttons == PromptButtons::YesNo;
  QPushButton* first = box.addButton(yesNo ? QStringLiteral("是") : QStringLiteral("确定"),
                                     QMessageBox::AcceptRole);
  QPushButton* second = nullptr;
  if (m.buttons != PromptButtons::Ok) {
    second = box.addButton(yesNo ? QStringLiteral("否") : QStringLiteral("取消"),
                           QMessageBox::RejectRole);
    box.setEscapeButton(second);
  }
  box.setDefaultButton(first);
  box.exec();
  const bool accepted = box.clickedButton() == first || (!second && !box.clickedButton());
  if (yesNo) return accepted ? PromptAnswer::Yes : PromptAnswer::No;
  return accepted ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

PromptAnswer QtPrompt::ask(const PromptMessage& message) {
  return calls_.send([&] { return showMessageBox(parent_, message); });
}

}  // namespace tessor
