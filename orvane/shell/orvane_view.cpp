#include "orvane_view.h"

#include <QHeaderView>
#include <QSettings>
#include <set>

#include "orvane/protocol/list_layout.h"
#include "orvane/protocol/orvane_view_core.h"
#include "qt_text.h"

namespace orvane {
namespace {

constexpr int kTextRed = 10, kTextGreen = 10, kTextBlue = 80;
constexpr int kFontPixelHeight = 15;

// "宋体 " where it exists (the face name carries a trailing space); on
// Debian the CJK face of fonts-wqy-microhei.
QFont listFont() {
  QFont font;
  font.setFamilies({qtText("宋体 "), QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(kFontPixelHeight);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

std::set<int> rowsOf(const QItemSelection& selection) {
  std::set<int> rows;
  for (const auto& range : selection)
    for (int row = range.top(); row <= range.bottom(); ++row) rows.insert(row);
  return rows;
}

}  // namespace

COrvaneView::COrvaneView(OrvaneViewCore& core, std::function<void()> workerPump, QWidget* parent)
    : QTableWidget(0, kColumnCount, parent), core_(core), workerPump_(std::move(workerPump)) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(true);
  setWordWrap(false);
  setFont(listFont());
  QPalette colours = palette();
  colours.setColor(QPalette::Text, QColor(kTextRed, kTextGreen, kTextBlue));
  setPalette(colours);

  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionsMovable(true);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setHighlightSections(false);
  for (int column = 0; column < kColumnCount; ++column) {
    const auto& listColumn = kModuleListColumns[static_cast<std::size_t>(column)];
    setHorizontalHeaderItem(column, new QTableWidgetItem(qtText(listColumn.header)));
    setColumnWidth(column, listColumn.width);
  }
  widenColumnsForTexts();
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setSortIndicatorShown(false);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &COrvaneView::headerClicked);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &COrvaneView::onSelectionChanged);
  buildContextMenu();
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
}

COrvaneView::~COrvaneView() {
  saveColumnWidths();
  // The rows go with the base class; no selection may reach a half-destroyed view.
  disconnect(selectionModel(), nullptr, this, nullptr);
}

// The widest texts of the IP and status columns are shown whole in the
// list's font; the other columns keep their widths.
void COrvaneView::widenColumnsForTexts() {
  const QFontMetrics metrics(font());
  constexpr int kCellPadding = 12;
  for (const auto& [column, text] : widestColumnTexts()) {
    const int needed = metrics.horizontalAdvance(qtText(text)) + kCellPadding;
    if (columnWidth(column) < needed) setColumnWidth(column, needed);
  }
}

// Column widths go to the user profile: section "ColumnWidths", entry
// "MAC 地址", each width followed by ",". They are not read back.
void COrvaneView::saveColumnWidths() const {
  QString widths;
  for (int column = 0; column < horizontalHeader()->count(); ++column)
    widths += QString::number(columnWidth(column)) + QLatin1Char(',');
  QSettings profile(QStringLiteral("Tarsel"), QStringLiteral("Orvane"));
  profile.setValue(QStringLiteral("ColumnWidths/") + qtText(kColumnWidthsEntry), widths);
}

void COrvaneView::showEvent(QShowEvent* event) {
  QTableWidget::showEvent(event);
  if (shown_) return;
  shown_ = true;
  emit firstShown();
}

void COrvaneView::statusPosted() { core_.status().onStatusPosted(); }

std::string rowKeyOfCell(const QTableWidgetItem& macCell) {
  const auto interfaceName = macCell.data(Qt::UserRole).toString();
  auto key = utf8Text(macCell.text());
  if (!interfaceName.isEmpty()) key += "%" + utf8Text(interfaceName);
  return key;
}

std::string COrvaneView::rowMacText(int row) const {
  const QTableWidgetItem* cell = row >= 0 && row < rowCount() ? item(row, kColumnMac) : nullptr;
  return cell ? rowKeyOfCell(*cell) : std::string();
}

void COrvaneView::setCellText(int row, int column, const std::string& text) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= kColumnCount) return;
  if (QTableWidgetItem* cell = item(row, column))
    cell->setText(qtText(text));
  else
    setItem(row, column, new QTableWidgetItem(qtText(text)));
}

void COrvaneView::deleteAllRows() {
  rebuilding_ = true;
  setRowCount(0);
  rowColours_.clear();
  rebuilding_ = false;
}

// Not while the table holds 256 records: the list then stays as it was.
void COrvaneView::refreshList(int row) {
  if (core_.table().count() >= kModuleTableSize) return;
  if (row == -1)
    rebuildRows();
  else
    refreshRow(row);
}

// Every record of the table, in table order, each row's colour kept by its
// position.
void COrvaneView::rebuildRows() {
  const auto records = core_.table().snapshot();
  const int protocolType = core_.protocolType();
  rebuilding_ = true;
  setRowCount(0);
  rowColours_.clear();
  setRowCount(static_cast<int>(records.size()));
  for (int row = 0; row < rowCount(); ++row) {
    const auto& record = records[static_cast<std::size_t>(row)];
    const auto texts = formatModuleRow(record, protocolType);
    setRowTexts(row, texts);
    setRowColour(row, texts.level);
    // A module seen on two interfaces has two rows with one MAC text.
    item(row, kColumnMac)->setData(Qt::UserRole, qtText(record.interfaceName));
  }
  rebuilding_ = false;
  if (rowCount() > 0) selectAndFocus(0);
}

// Rewrites a row only from the record that holds its own MAC address (and
// interface); a row whose module is no longer in the table keeps its texts
// rather than taking another module's. The colour stays as it is.
void COrvaneView::refreshRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  const auto address = parseRowKey(rowMacText(row));
  if (!address) return;
  const int index = core_.table().findByMac(*address);
  const auto record = core_.table().record(index);
  if (index >= core_.table().count() || !record || record->mac != address->mac) return;
  if (!address->interfaceName.empty() && record->interfaceName != address->interfaceName) return;
  setRowTexts(row, formatModuleRow(*record, core_.protocolType()));
  selectAndFocus(row);
}

void COrvaneView::setRowTexts(int row, const ModuleRow& texts) {
  for (int column = 0; column < kColumnCount; ++column) {
    const QString text = qtText(texts.columns[static_cast<std::size_t>(column)]);
    if (QTableWidgetItem* cell = item(row, column))
      cell->setText(text);
    else
      setItem(row, column, new QTableWidgetItem(text));
  }
}

void COrvaneView::selectAndFocus(int row) {
  selectionModel()->setCurrentIndex(
      model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Rows that lost the selection come first, as the list reports them.
void COrvaneView::onSelectionChanged(const QItemSelection& selected,
                                     const QItemSelection& deselected) {
  if (rebuilding_) return;
  for (const int row : rowsOf(deselected)) {
    core_.setSelectedRow(row);
    sendSelectionState();
  }
  for (const int row : rowsOf(selected)) rowSelected(row);
}

// The refresh of the selected module. A worker still running after 100 ms
// keeps it from starting; while waiting, the worker's sent calls are served
// so that it can end.
void COrvaneView::rowSelected(int row) {
  core_.setSelectedRow(row);
  if (core_.worker().end(kSelectionWait, workerPump_)) core_.selectRow(row);
  sendSelectionState();
}

// UWM_SELECTION_STATE to the main frame: the route and the run mode of the
// first selected row's module (0 when no row is selected).
void COrvaneView::sendSelectionState() {
  const auto context = commandContext();
  core_.ui().selectionState(context.protocolType, context.runMode);
  emit commandStateChanged();
}

}  // namespace orvane
