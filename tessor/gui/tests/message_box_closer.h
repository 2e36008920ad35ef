#pragma once
// Closes every message box the window shows while a test runs, and keeps
// their texts; dialogs the test answers itself are left alone.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace tessor::gui_tests {

class MessageBoxCloser {
 public:
  MessageBoxCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      texts << box->text();
      box->done(0);
    });
    timer_.start(5);
  }
  QStringList texts;

 private:
  QTimer timer_;
};

}  // namespace tessor::gui_tests
