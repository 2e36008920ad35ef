#pragma once
// The module list: one report-style row per record of the module table, in
// the eight columns of kModuleListColumns, each row coloured by its status
// level. Selecting a row refreshes that module on the worker and tells the
// main frame the selection state.
//
// The view is also where every command of the menus, the toolbar, the
// context menu and the configuration panel lands: the main frame calls the
// public slots below (or runCommand with the command id) and reads their
// enabled and checked state from commandEnabled/commandChecked, which ask
// the tested command enabling (orvane/protocol/command_enabling.h). Whenever
// that state may have changed (selection, route, a rebuilt list) the view
// emits commandStateChanged and sends UWM_SELECTION_STATE to the frame.
//
// User-interface thread only. The worker reaches the list through the UI
// port, which calls the handlers below (named after their window messages).
#include <QTableWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "orvane/protocol/command_enabling.h"
#include "orvane/protocol/list_sort.h"
#include "orvane/protocol/row_format.h"

class QMenu;

namespace orvane {

class EditorOperations;
class OrvaneViewCore;

class COrvaneView final : public QTableWidget {
  Q_OBJECT

 public:
  // `workerPump` serves the worker's sent calls while the view waits for
  // the worker to end.
  COrvaneView(OrvaneViewCore& core, std::function<void()> workerPump, QWidget* parent = nullptr);
  ~COrvaneView() override;

  // The flows behind the commands (settings, upgrade, serial route, close);
  // set once by the application before the first showing. Without them the
  // commands that need them do nothing.
  void attachOperations(EditorOperations& operations);

  // UWM_REFRESH_LIST: -1 rebuilds every row from the module table, any
  // other value rewrites that row from its record.
  void refreshList(int row);
  // UWM_STATUS_POSTED.
  void statusPosted();
  // UWM_PROGRESS, posted by the firmware download: re-emitted as progress().
  void progressPosted(int percent);
  // The row's key (rowKeyText: the column 0 MAC text, with the interface the
  // module answered on); empty when the row does not exist.
  std::string rowMacText(int row) const;
  // Rewrites one cell of an existing row (the basic settings command shows
  // what it wrote); the row's colour stays.
  void setCellText(int row, int column, const std::string& text);

  void deleteAllRows();

  // --- command state, asked by the frame for menus, toolbar and panels ---
  // The route, the first selected row and its module's run mode (by MAC).
  CommandContext commandContext() const;
  bool commandEnabled(int command) const;
  bool commandChecked(int command) const;
  // Runs a command of the view by its id (kCmdFindModules, kCmdRouteTcpIp,
  // kCmdRouteSerial, kCmdBasicSettings ... kCmdFactoryRestore, kCmdExport,
  // kCmdTest). A disabled command does nothing. False for ids the view does
  // not handle.
  bool runCommand(int command);

  // The main window's close (closeEvent): while a serial operation
  // communicates, asks "正在通信中，退出软件吗？..."; then sets the closing
  // flag and waits, keeping the window's events flowing, until the
  // communication-busy flag is clear. False when the user chose to stay: the
  // frame then ignores the close event. When the close came from inside a
  // flow of the user-interface thread itself, returns false too and closes
  // the frame once that flow has ended.
  bool queryClose();

  // --- the list's own parts ---
  // The header sort of a left click on `column`, Ctrl held or not.
  void sortByColumn(int column, bool ctrl);
  // UWM_RECOLOUR_ROWS (posted by the view after each sort).
  void recolourRows();
  // The SortArrow of a header item (as an int) under this role.
  static constexpr int kSortArrowRole = Qt::UserRole + 1;
  // The context menu (first submenu of menu 138) with its items enabled by
  // the command enabling; the view pops it up at the cursor.
  QMenu& contextMenu();

 public slots:
  // "查找模块" (32775): empties the list and starts a scan on the current route.
  void findModules();
  // "TCP/IP" (32786, kProtocolTcpIp) and "串口" (32788, kProtocolSerial):
  // stores the route, sets the port button, tells the frame, then scans.
  void setRoute(int protocolType);
  // The status bar's port button (2000) on the serial route: the port dialog,
  // PortCom and the button text.
  void choosePort();
  // The context menu's and the configuration panel's commands, for the
  // selected row: "基本配置..." (32778), "高级配置..." (32779), "点对点配置..."
  // (32780), "升级固件..." (32781), "恢复出厂设置" (32782).
  void basicSettings();
  void advancedSettings();
  void peerSettings();
  void settingsFile(int command);  // "保存配置..." or "载入配置..."
  void firmwareUpgrade();
  void factoryRestore();

 signals:
  // The view's initial update: the first time it is shown.
  void firstShown();
  // The enabled/checked state of the commands may have changed.
  void commandStateChanged();
  // The firmware upgrade has started on the worker: the frame opens the
  // progress dialog (CDlgProgress) at `latestPercent`; a 100 there closes it
  // at once.
  void firmwareUpgradeStarted(int latestPercent);
  // UWM_PROGRESS for the progress dialog: percent 0-100, the last one 100.
  void progress(int percent);
  // A document file (.opx) dropped on the list.
  void documentDropped(const QString& file);

 protected:
  void showEvent(QShowEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void rebuildRows();
  void refreshRow(int row);
  void setRowTexts(int row, const ModuleRow& texts);
  void setRowColour(int row, int level);
  void paintStoredColour(int row);
  void headerClicked(int column);
  void runSortPass(const SortPass& pass);
  void reorderRows(const std::vector<int>& order);
  void showSortArrows();
  void buildContextMenu();
  void reselectRememberedRow();
  void saveColumnWidths() const;
  void widenColumnsForTexts();
  void selectAndFocus(int row);
  void onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
  void rowSelected(int row);
  void sendSelectionState();
  int firstSelectedRow() const;

  OrvaneViewCore& core_;
  std::function<void()> workerPump_;
  EditorOperations* operations_ = nullptr;
  MultiColumnSort sort_;
  std::map<int, Rgb> rowColours_;  // RowColourMap: background by row position
  QMenu* contextMenu_ = nullptr;
  bool shown_ = false;
  bool rebuilding_ = false;  // rows come and go without counting as selections
};

// The key of a list row (rowKeyText): its MAC cell's text, and the interface
// the cell keeps beside it.
std::string rowKeyOfCell(const QTableWidgetItem& macCell);

}  // namespace orvane
