#pragma once
// The data table on screen: a Qt model over tessor::DataTable. The table's
// header row and column are the model's headers; edits go into the table; every
// layout of the table is a model reset.
#include <QAbstractTableModel>

#include "tessor/core/data_table.h"

namespace tessor {

class DataTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit DataTableModel(DataTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Called by the table after each layout; on the model's thread.
  void tableLaidOut(bool autosize);

 signals:
  // After the reset: the view sizes its columns when `autosize` is set.
  void laidOut(bool autosize);

 private:
  DataTable& table_;
  int rows_ = 0;     // data rows as the view knows them
  int columns_ = 0;  // data columns as the view knows them
};

}  // namespace tessor
