#pragma once
// The status bar's progress control used as busy indicator: while on it
// advances by 2 on every tick of its 1 ms timer and starts over past 100.
#include <QProgressBar>
#include <QTimer>

namespace orvane {

class BusyIndicator final : public QProgressBar {
  Q_OBJECT

 public:
  explicit BusyIndicator(QWidget* parent = nullptr);

  // On: shown at position 1 with the timer running; off: timer stopped, hidden.
  void setBusy(bool on);
  bool busy() const { return timer_.isActive(); }

 private:
  void step();

  QTimer timer_;  // destroyed with the control, which stops it
};

}  // namespace orvane
