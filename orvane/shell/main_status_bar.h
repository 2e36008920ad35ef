#pragma once
// The main window's status bar and its four panes: the logo (0), the
// message pane (1) that shows the status texts and the commands' prompts,
// the port button (2) and the busy indicator (3).
#include <string_view>

#include "orvane/widgets/ext_status_control_bar.h"

class QLabel;
class QPushButton;

namespace orvane {

class BusyIndicator;

class MainStatusBar final : public CExtStatusControlBar {
  Q_OBJECT

 public:
  // Indicator ids of the panes.
  static constexpr int kMessagePane = 0;
  static constexpr int kLogoPane = 130;
  static constexpr int kButtonPane = 131;
  static constexpr int kProgressPane = 132;

  explicit MainStatusBar(QWidget* parent = nullptr);

  // The logo, button and progress panes around the message pane. Returns
  // the text of the first pane that could not be added (the rest are then
  // left out), or an empty text. Adding them a second time fails on the
  // logo pane, so a repeated set-up never doubles them.
  std::string_view buildPanes();

  void setMessage(const QString& text);
  QString message() const;
  // A command's prompt while the pointer is on it; an empty prompt brings
  // back the message it covered.
  void showPrompt(const QString& prompt);

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
  QString covered_;       // the message under a prompt
  bool prompting_ = false;
};

}  // namespace orvane
