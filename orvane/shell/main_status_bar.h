#pragma once
// The main window's status bar and its four panes: the logo (0), the
// message pane (1) that shows the status texts, the port button (2) and the
// busy indicator (3).
#include <QStatusBar>

class QLabel;
class QPushButton;

namespace orvane {

class BusyIndicator;

class MainStatusBar final : public QStatusBar {
  Q_OBJECT

 public:
  explicit MainStatusBar(QWidget* parent = nullptr);

  void setMessage(const QString& text);
  QString message() const;

  // "TCP/IP" and disabled on the network route, "COMn" and enabled on the
  // serial route; a click opens the port choice.
  void setPortButton(const QString& text, bool enabled);
  QPushButton& portButton() { return *portButton_; }

  BusyIndicator& busyIndicator() { return *busy_; }

 private:
  QLabel* logo_;
  QLabel* message_;
  QPushButton* portButton_;
  BusyIndicator* busy_;
};

}  // namespace orvane
