#pragma once
// What the settings dialogs share: the "确定"/"取消" row, and the focus on a
// refused field with its text selected and the caret in view.
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orvane {

inline QDialogButtonBox* okCancelButtons(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(dialog);
  auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancel"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

inline void selectAndFocus(QLineEdit* edit) {
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
}

inline void selectAndFocus(QPlainTextEdit* edit) {
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
  edit->ensureCursorVisible();
}

}  // namespace orvane
