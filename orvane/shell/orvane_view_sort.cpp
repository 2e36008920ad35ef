// Sorting the module list by the header, and the row colours that follow.
// Which passes a click runs, their direction and the arrows come from
// MultiColumnSort; each pass reorders the rows by one column's texts.
#include <QApplication>
#include <QHeaderView>
#include <QPainter>

#include "orvane/protocol/orvane_view_core.h"
#include "orvane_view.h"
#include "qt_text.h"

namespace orvane {
namespace {

// The two arrow images of the header (ascending points up).
QIcon arrowIcon(SortArrow arrow) {
  QPixmap pixmap(9, 9);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(80, 80, 80));
  const QPolygonF up{{QPointF(0.5, 7.5), QPointF(8.5, 7.5), QPointF(4.5, 1.5)}};
  const QPolygonF down{{QPointF(0.5, 1.5), QPointF(8.5, 1.5), QPointF(4.5, 7.5)}};
  painter.drawPolygon(arrow == SortArrow::Ascending ? up : down);
  return QIcon(pixmap);
}

}  // namespace

// Only a left click sorts (the header reports no other); Ctrl at that
// moment makes it a multi-column sort.
void COrvaneView::headerClicked(int column) {
  sortByColumn(column, QApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
}

void COrvaneView::sortByColumn(int column, bool ctrl) {
  for (const auto& pass : sort_.click(column, ctrl)) runSortPass(pass);
  showSortArrows();
  // UWM_RECOLOUR_ROWS: the colours are kept by row position, so they are
  // worked out anew for the new order once the sort is over.
  QMetaObject::invokeMethod(this, &COrvaneView::recolourRows, Qt::QueuedConnection);
}

void COrvaneView::runSortPass(const SortPass& pass) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(rowCount()));
  for (int row = 0; row < rowCount(); ++row) {
    const QTableWidgetItem* cell = item(row, pass.column);
    texts.push_back(cell ? utf8Text(cell->text()) : std::string());
  }
  reorderRows(sortedRowOrder(texts, pass.ascending));
}

// The cells move with their module, and so does the selection; the colours
// stay with the row positions until they are recoloured.
void COrvaneView::reorderRows(const std::vector<int>& order) {
  const int rows = rowCount();
  const int current = currentRow();
  std::vector<bool> selected(static_cast<std::size_t>(rows), false);
  for (const auto& index : selectionModel()->selectedRows())
    selected[static_cast<std::size_t>(index.row())] = true;
  std::vector<std::array<QTableWidgetItem*, kColumnCount>> cells(static_cast<std::size_t>(rows));
  rebuilding_ = true;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < kColumnCount; ++column)
      cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = takeItem(row, column);
  selectionModel()->clearSelection();
  for (int row = 0; row < rows; ++row) {
    const auto from = static_cast<std::size_t>(order[static_cast<std::size_t>(row)]);
    for (int column = 0; column < kColumnCount; ++column)
      setItem(row, column, cells[from][static_cast<std::size_t>(column)]);
    paintStoredColour(row);
    if (selected[from])
      selectionModel()->select(model()->index(row, 0),
                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (static_cast<int>(from) == current)
      selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::NoUpdate);
  }
  rebuilding_ = false;
}

void COrvaneView::showSortArrows() {
  for (int column = 0; column < kColumnCount; ++column) {
    QTableWidgetItem* header = horizontalHeaderItem(column);
    if (!header) continue;
    const SortArrow arrow = sort_.arrow(column);
    header->setData(kSortArrowRole, static_cast<int>(arrow));
    header->setIcon(arrow == SortArrow::None ? QIcon() : arrowIcon(arrow));
  }
}

// UWM_RECOLOUR_ROWS. Each row's level comes from its own record, found by
// the row's MAC text. Not done once the table holds 256 records.
void COrvaneView::recolourRows() {
  if (core_.table().count() >= kModuleTableSize) return;
  const int protocolType = core_.protocolType();
  for (int row = 0; row < rowCount(); ++row) {
    const auto record = core_.table().record(core_.table().findByMacText(rowMacText(row)));
    if (!record) continue;
    setRowColour(row, recolourLevel(*record, protocolType));
  }
  setFocus();
  viewport()->update();
}

void COrvaneView::setRowColour(int row, int level) {
  rowColours_[row] = levelColour(level);
  paintStoredColour(row);
}

void COrvaneView::paintStoredColour(int row) {
  const auto stored = rowColours_.find(row);
  if (stored == rowColours_.end()) return;
  const QColor colour(stored->second.r, stored->second.g, stored->second.b);
  for (int column = 0; column < kColumnCount; ++column)
    if (QTableWidgetItem* cell = item(row, column)) cell->setBackground(colour);
}

}  // namespace orvane
