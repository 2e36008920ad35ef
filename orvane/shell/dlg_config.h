#pragma once
// The module configuration panel: the settings and update commands of the
// selected module as buttons. A button sends its command to the main
// window, which routes it to the view; the view's own enabling still holds
// when the command arrives.
#include <QWidget>
#include <array>
#include <cstdint>

class QPushButton;

namespace orvane {

class CDlgConfig final : public QWidget {
  Q_OBJECT

 public:
  enum Button { kBasic, kAdvanced, kPeer, kUpgrade, kRestore, kButtonCount };

  explicit CDlgConfig(QWidget* parent = nullptr);

  // UWM_SELECTION_STATE: the buttons for the route and the selected
  // module's run mode (configPanelEnabling).
  void selectionState(int protocolType, std::uint8_t runMode);

  QPushButton& button(Button which) { return *buttons_[which]; }

 signals:
  // The command id of the clicked button (32778 to 32782).
  void command(int id);

 private:
  std::array<QPushButton*, kButtonCount> buttons_{};
};

}  // namespace orvane
