// The module list and the main frame fed by hand-filled module tables, and
// the UI port's calls from a worker and from the user-interface thread.
// Every request the selections start goes to 127.0.0.1:9, which nobody answers.
#include <QPushButton>
#include <QTest>

#include "editor_fixture.h"
#include "loopback_config.h"
#include "modal_answerer.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/shell/busy_indicator.h"
#include "orvane/shell/dlg_info.h"
#include "orvane/shell/main_frame.h"
#include "orvane/shell/main_status_bar.h"
#include "orvane/shell/orvane_app.h"
#include "orvane/shell/orvane_view.h"
#include "platform/gbk.h"
#include "test_support/temp_dir.h"
#include "worker_thread.h"

namespace orvane::shell_tests {
namespace {

class ViewRowsTest : public QObject {
  Q_OBJECT

 private slots:
  void columnsOfTheList() {
    Editor editor;
    auto& view = editor.view();
    QCOMPARE(view.columnCount(), kColumnCount);
    for (int c = 0; c < kColumnCount; ++c) {
      const auto& listColumn = kModuleListColumns[static_cast<std::size_t>(c)];
      QCOMPARE(view.horizontalHeaderItem(c)->text(),
               QString::fromUtf8(listColumn.header.data(), listColumn.header.size()));
      // The IP and status columns are widened to hold their widest texts.
      if (c == kColumnIp || c == kColumnStatus)
        QVERIFY(view.columnWidth(c) >= listColumn.width);
      else
        QCOMPARE(view.columnWidth(c), listColumn.width);
    }
  }

  void wholeListFromTheTable() {
    Editor editor;
    editor.fill(
        {moduleRecord(1, kRunModeSystemProgram), moduleRecord(2, kRunModeSystemProgram, 0x11),
         moduleRecord(3, kRunModeSystemProgram, 0x03), moduleRecord(4, kRunModeBootLoader)});
    auto& view = editor.view();
    view.refreshList(-1);
    QCOMPARE(view.rowCount(), 4);
    struct Row {
      const char *mac, *ip, *id, *name, *status;
      QColor colour;
    };
    const Row rows[] = {
        {"00.1A.2B.3C.00.01", "10.00.00.01", "1", "站1", "系统程序", Qt::white},
        {"00.1A.2B.3C.00.02", "10.00.00.02", "2", "站2", "系统程序-物理地址错误(警告)-手动复位状态",
         Qt::yellow},
        {"00.1A.2B.3C.00.03", "10.00.00.03", "3", "站3", "系统程序-物理地址错误(警告)-IP冲突(致命)",
         Qt::red},
        {"00.1A.2B.3C.00.04", "10.00.00.04", "", "", "BOOTLOAD", Qt::white},
    };
    for (int r = 0; r < 4; ++r) {
      QCOMPARE(cell(view, r, kColumnMac), QString(rows[r].mac));
      QCOMPARE(cell(view, r, kColumnModel), QString("M4-TRAX100"));
      QCOMPARE(cell(view, r, kColumnIp), QString(rows[r].ip));
      QCOMPARE(cell(view, r, kColumnId), QString(rows[r].id));
      QCOMPARE(cell(view, r, kColumnName), QString(rows[r].name));
      QCOMPARE(cell(view, r, kColumnStatus), QString(rows[r].status));
      QCOMPARE(cell(view, r, kColumnVersion), QString("V4.1.0.3"));
      QCOMPARE(background(view, r), rows[r].colour);
    }
    QCOMPARE(view.currentRow(), 0);
    QVERIFY(view.selectionModel()->isRowSelected(0, {}));
  }

  // A full table of 256 modules leaves the list as it was.
  void fullTableLeavesTheListAsItWas() {
    Editor editor;
    editor.fill({moduleRecord(1, kRunModeSystemProgram)});
    editor.view().refreshList(-1);
    std::vector<ModuleRecord> records;
    for (int n = 0; n < kModuleTableSize; ++n)
      records.push_back(moduleRecord(n, kRunModeSystemProgram));
    editor.fill(records);
    editor.view().refreshList(-1);
    QCOMPARE(editor.view().rowCount(), 1);
    QCOMPARE(cell(editor.view(), 0, kColumnMac), QString("00.1A.2B.3C.00.01"));
  }

  void oneRowRefresh() {
    Editor editor;
    editor.fill({moduleRecord(1, kRunModeSystemProgram), moduleRecord(2, kRunModeSystemProgram)});
    auto& view = editor.view();
    view.refreshList(-1);
    editor.app.core().table().update(1, [](ModuleRecord& r) {
      setTextField(r.name, platform::utf8ToGbk("新名"));
      r.statusFlags = 0x02;
    });
    view.refreshList(1);
    QCOMPARE(cell(view, 1, kColumnName), QString("新名"));
    QCOMPARE(cell(view, 1, kColumnStatus), QString("系统程序-IP冲突(致命)"));
    QCOMPARE(background(view, 1), QColor(Qt::white));  // the colour waits for a rebuild
    QCOMPARE(view.currentRow(), 1);

    // A row whose module has left the table keeps its texts instead of
    // taking those of the first record.
    view.item(1, kColumnMac)->setText("00.1A.2B.3C.00.99");
    view.refreshList(1);
    QCOMPARE(cell(view, 1, kColumnName), QString("新名"));
    QCOMPARE(cell(view, 1, kColumnMac), QString("00.1A.2B.3C.00.99"));
    view.refreshList(2);
    view.refreshList(-7);
    QCOMPARE(view.rowCount(), 2);
  }

  // The basic settings command rewrites single cells through the UI port.
  void cellTextsThroughThePort() {
    Editor editor;
    editor.fill({moduleRecord(1, kRunModeSystemProgram)});
    auto& view = editor.view();
    view.refreshList(-1);
    UiPort& ui = editor.app.uiPort();
    ui.setRowText(0, kColumnIp, "192.168.20.05");
    ui.setRowText(0, kColumnName, "二号线");
    ui.setRowText(1, kColumnName, "x");  // no such row
    ui.setRowText(0, kColumnCount, "x");  // no such column
    QCOMPARE(cell(view, 0, kColumnIp), QString("192.168.20.05"));
    QCOMPARE(cell(view, 0, kColumnName), QString("二号线"));
    QCOMPARE(cell(view, 0, kColumnMac), QString("00.1A.2B.3C.00.01"));
    QCOMPARE(view.rowCount(), 1);
    QCOMPARE(view.columnCount(), kColumnCount);
  }

  void sentCallsReachTheWindowsAndReturn() {
    Editor editor;
    auto answeredOnEth1 = moduleRecord(2, kRunModeSystemProgram);
    answeredOnEth1.interfaceName = "eth1";
    editor.fill({moduleRecord(1, kRunModeSystemProgram), answeredOnEth1});
    editor.view().refreshList(-1);
    UiPort& ui = editor.app.uiPort();
    ModuleVersionInfo versions;
    versions.firmwareVersion = {2, 1, 0, 4};
    std::string mac, none;
    runOnWorker([&] {
      mac = ui.rowMacText(1);
      none = ui.rowMacText(5);
      ui.showInterface("eth1");
      ui.showVersions(kRunModeSystemProgram, versions);
    });
    // The row's key names the card; its MAC column shows the MAC alone.
    QCOMPARE(mac, std::string("00.1A.2B.3C.00.02%eth1"));
    QCOMPARE(cell(editor.view(), 1, kColumnMac), QString("00.1A.2B.3C.00.02"));
    QCOMPARE(none, std::string());
    auto& info = editor.app.mainFrame().infoPanel();
    QCOMPARE(info.value(CDlgInfo::kFirmware), QString("4.0.1.2"));
    QCOMPARE(info.value(CDlgInfo::kInterface), QString("eth1"));

    // The same calls on the user-interface thread run at once.
    QCOMPARE(ui.rowMacText(0), std::string("00.1A.2B.3C.00.01"));
    ui.showVersions(kRunModeBootLoader, versions);
    QCOMPARE(info.value(CDlgInfo::kFirmware), QString("----"));
    ui.selectionState(kProtocolSerial, 0);
    QVERIFY(info.rowShown(CDlgInfo::kFirmware));
    QVERIFY(!info.rowShown(CDlgInfo::kBoot));
  }

  void postedCallsReachTheWindowsLater() {
    Editor editor;
    editor.fill({moduleRecord(1, kRunModeSystemProgram)});
    auto& frame = editor.app.mainFrame();
    runOnWorker([&] {
      editor.app.uiPort().refreshList(-1);
      editor.app.uiPort().busyIndicator(true);
      editor.app.core().status().set("通信中...");
    });
    QTRY_COMPARE_WITH_TIMEOUT(editor.view().rowCount(), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(frame.statusPanes().message(), QString("通信中..."), 5000);
    QVERIFY(frame.statusPanes().busyIndicator().busy());
    QVERIFY(!frame.statusPanes().busyIndicator().isHidden());
    runOnWorker([&] { editor.app.uiPort().busyIndicator(false); });
    QTRY_VERIFY_WITH_TIMEOUT(frame.statusPanes().busyIndicator().isHidden(), 5000);
    QVERIFY(!frame.statusPanes().busyIndicator().busy());
  }

  // A selected row is refreshed on the worker and the panels follow it.
  void selectingARowStartsItsRefresh() {
    Editor editor;
    editor.fill({moduleRecord(1, kRunModeSystemProgram), moduleRecord(2, kRunModeBootLoader)});
    auto& view = editor.view();
    view.refreshList(-1);
    QVERIFY(editor.app.core().worker().end(std::chrono::seconds(10),
                                           editor.app.guiThreadCalls().pumpFunction()));
    editor.app.core().overrideProtocolType(kProtocolSerial);
    view.selectRow(1);
    QCOMPARE(editor.app.core().selectedRow(), 1);
    QVERIFY(editor.app.core().worker().recorded());
    QCOMPARE(editor.app.core().worker().code(), kOperationRefresh);
    QCOMPARE(editor.app.core().worker().row(), 1);
    QVERIFY(!editor.app.mainFrame().infoPanel().rowShown(CDlgInfo::kBoot));
  }

  void initialUpdateFollowsTheSettings_data() {
    QTest::addColumn<int>("protocolType");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("network") << 0 << "TCP/IP" << false;
    QTest::newRow("serial") << 1 << "COM3" << true;
  }

  void initialUpdateFollowsTheSettings() {
    QFETCH(int, protocolType);
    QFETCH(QString, button);
    QFETCH(bool, enabled);
    test_support::TempDir dir;
    auto config = loopbackConfig(dir.path());
    config.writeInt("ProtocolType", protocolType);
    config.writeInt("PortCom", 3);
    ProcessFlags flags;
    COrvaneApp app(config, flags);
    // Without Wirelet the serial scan finds no PLC and offers the port dialog.
    ModalAnswerer cancelPortChoice([](QWidget* modal) { modal->close(); });
    app.show();
    auto& panes = app.mainFrame().statusPanes();
    QCOMPARE(panes.portButton().text(), button);
    QCOMPARE(panes.portButton().isEnabled(), enabled);
    QCOMPARE(app.core().protocolType(), protocolType);
    QCOMPARE(app.mainFrame().infoPanel().rowShown(CDlgInfo::kBoot), protocolType == 0);
    QCOMPARE(app.core().worker().code(), kOperationScan);
    QTRY_VERIFY_WITH_TIMEOUT(app.core().worker().finished(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(panes.message(), QString("就绪"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(panes.busyIndicator().isHidden(), 5000);
    QCOMPARE(app.mainFrame().view().rowCount(), 0);
  }

  void closingTheWindowStopsStatusTexts() {
    Editor editor;
    editor.app.show();
    editor.app.mainFrame().close();
    QVERIFY(editor.flags.closing);
  }
};

}  // namespace


}  // namespace orvane::shell_tests

QTEST_MAIN(orvane::shell_tests::ViewRowsTest)
#include "view_rows_test.moc"
