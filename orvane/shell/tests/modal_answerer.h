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
