#pragma once
// A status bar made of panes, each known by its indicator id, that can take
// a new pane at a position with a width and a control to host in it.
#include <QStatusBar>
#include <vector>

namespace orvane {

class CExtStatusControlBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit CExtStatusControlBar(QWidget* parent = nullptr);

  // Inserts `control` as pane `id` at `position`; the panes from there on
  // move one place right. Fails when the position lies beyond the panes
  // there are or the id is already present. A width of 0 lets the pane take
  // the room that is left.
  bool addPane(int position, int id, int width, QWidget* control);
  int paneCount() const { return static_cast<int>(ids_.size()); }
  // The position of pane `id`, -1 when there is none.
  int paneIndex(int id) const;
  QWidget* paneControl(int id) const;

 private:
  std::vector<int> ids_;
  std::vector<QWidget*> controls_;
};

}  // namespace orvane
