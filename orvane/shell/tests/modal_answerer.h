#pragma once
// Answers the next modal window (a message box, a dialog) from inside the
// event loop that shows it: the test hands over what to look at and which
// button to press, and reads afterwards what it saw.
#include <QApplication>
#include <QTimer>
#include <functional>

namespace orvane::shell_tests {

class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || answered_) return;
      answered_ = true;
      timer_.stop();
      answer_(modal);
    });
    timer_.start(10);
  }
  bool answered() const { return answered_; }

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
  bool answered_ = false;
};

}  // namespace orvane::shell_tests

#include <QAbstractButton>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

namespace orvane::shell_tests {

// Answers every modal window for as long as it lives, as a user who agrees
// to everything: a message box with its OK ("确定"), a dialog with its "ok"
// button, the file dialog with `file`. A modal without either (the progress
// dialog) is left to close itself. `seen` holds each one's object name or
// text, in the order they came.
class AnswerEveryModal {
 public:
  explicit AnswerEveryModal(QString file = {}) : file_(std::move(file)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { answer(QApplication::activeModalWidget()); });
    timer_.start(10);
  }
  QStringList seen;

 private:
  void answer(QWidget* modal) {
    for (const auto& done : answered_)
      if (done == modal) return;  // still closing, or left to close itself
    if (!modal) return;
    answered_.append(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen << box->text();
      for (QAbstractButton* button : box->buttons())
        if (box->buttonRole(button) == QMessageBox::AcceptRole) button->click();
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      seen << files->windowTitle();
      // selectFile leaves the name alone while the name field has the focus.
      files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file_);
      static_cast<QDialog*>(files)->accept();
    } else {
      seen << QString::fromLatin1(modal->metaObject()->className()).section("::", -1);
      if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("ok"))) ok->click();
    }
  }

  QString file_;
  QList<QPointer<QWidget>> answered_;
  QTimer timer_;
};

}  // namespace orvane::shell_tests
