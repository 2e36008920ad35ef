#include "busy_indicator.h"

namespace orvane {
namespace {
constexpr int kStep = 2;
constexpr int kTickMs = 1;
}  // namespace

BusyIndicator::BusyIndicator(QWidget* parent) : QProgressBar(parent) {
  setRange(0, 100);
  setValue(0);
  setTextVisible(false);
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &BusyIndicator::step);
  hide();
}

void BusyIndicator::setBusy(bool on) {
  if (on) {
    setValue(1);
    show();
    timer_.start();
  } else {
    timer_.stop();
    hide();
  }
}

void BusyIndicator::step() {
  const int next = value() + kStep;
  setValue(next > maximum() ? minimum() : next);
}

}  // namespace orvane
