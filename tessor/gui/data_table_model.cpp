#include "tessor/gui/data_table_model.h"

#include <QBrush>
#include <QColor>

#include "tessor/gui/qt_text.h"

namespace tessor {

namespace {
const QColor kCellBackground(255, 255, 224);
}

DataTableModel::DataTableModel(DataTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
  rows_ = std::max(table_.rowCount() - 1, 0);
  columns_ = std::max(table_.columnCount() - 1, 0);
}

// The counts the view knows change only inside a reset, so that the model
// never answers with a size the view has not been told of.
void DataTableModel::tableLaidOut(bool autosize) {
  beginResetModel();
  rows_ = std::max(table_.rowCount() - 1, 0);
  columns_ = std::max(table_.columnCount() - 1, 0);
  endResetModel();
  emit laidOut(autosize);
}

int DataTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int DataTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || rows_ == 0 ? 0 : columns_;
}

QVariant DataTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    return qtText(table_.cell(index.row() + 1, index.column() + 1));
  if (role == Qt::BackgroundRole) return QBrush(kCellBackground);
  return {};
}

bool DataTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  if (!table_.setCell(index.row() + 1, index.column() + 1, utf8Text(value.toString()))) return false;
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || section < 0) return {};
  if (orientation == Qt::Horizontal)
    return section < columns_ ? qtText(table_.cell(0, section + 1)) : QVariant();
  return section < rows_ ? qtText(table_.cell(section + 1, 0)) : QVariant();
}

Qt::ItemFlags DataTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

}  // namespace tessor
