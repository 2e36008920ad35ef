#pragma once
// The module list: one report-style row per record of the module table, in
// the eight columns of kModuleListColumns, each row coloured by its status
// level. Selecting a row refreshes that module on the worker and tells the
// main frame the selection state.
//
// User-interface thread only. The worker reaches the list through the UI
// port, which calls the handlers below (named after their window messages).
#include <QTableWidget>
#include <functional>
#include <string>

#include "orvane/protocol/row_format.h"

namespace orvane {

class OrvaneViewCore;

class COrvaneView final : public QTableWidget {
  Q_OBJECT

 public:
  // `workerPump` serves the worker's sent calls while the view waits for
  // the worker to end.
  COrvaneView(OrvaneViewCore& core, std::function<void()> workerPump, QWidget* parent = nullptr);
  ~COrvaneView() override;

  // UWM_REFRESH_LIST: -1 rebuilds every row from the module table, any
  // other value rewrites that row from its record.
  void refreshList(int row);
  // UWM_STATUS_POSTED.
  void statusPosted();
  // The column 0 (MAC) text of a row; empty when the row does not exist.
  std::string rowMacText(int row) const;
  // Rewrites one cell of an existing row (the basic settings command shows
  // what it wrote); the row's colour stays.
  void setCellText(int row, int column, const std::string& text);

  void deleteAllRows();

 signals:
  // The view's initial update: the first time it is shown.
  void firstShown();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void rebuildRows();
  void refreshRow(int row);
  void setRowTexts(int row, const ModuleRow& texts);
  void setRowColour(int row, int level);
  void selectAndFocus(int row);
  void onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
  void rowSelected(int row);
  void sendSelectionState();

  OrvaneViewCore& core_;
  std::function<void()> workerPump_;
  bool shown_ = false;
  bool rebuilding_ = false;  // rows come and go without counting as selections
};

}  // namespace orvane
