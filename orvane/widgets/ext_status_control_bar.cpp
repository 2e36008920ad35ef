#include "ext_status_control_bar.h"

#include <algorithm>

namespace orvane {

CExtStatusControlBar::CExtStatusControlBar(QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(true);
}

bool CExtStatusControlBar::addPane(int position, int id, int width, QWidget* control) {
  if (position < 0 || position > paneCount() || paneIndex(id) >= 0 || !control) return false;
  if (width > 0) control->setFixedWidth(width);
  // Every pane is a permanent widget: the prompts go into the message pane
  // instead of covering the bar.
  insertPermanentWidget(position, control, width > 0 ? 0 : 1);
  ids_.insert(ids_.begin() + position, id);
  controls_.insert(controls_.begin() + position, control);
  return true;
}

int CExtStatusControlBar::paneIndex(int id) const {
  const auto found = std::find(ids_.begin(), ids_.end(), id);
  return found == ids_.end() ? -1 : static_cast<int>(found - ids_.begin());
}

QWidget* CExtStatusControlBar::paneControl(int id) const {
  const int index = paneIndex(id);
  return index < 0 ? nullptr : controls_[static_cast<std::size_t>(index)];
}

}  // namespace orvane
