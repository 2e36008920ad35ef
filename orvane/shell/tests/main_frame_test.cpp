// The main frame: its commands, their states per route, the docking bar and
// its pages, the prompts, the title and the progress dialog's routing.
// Every request goes to 127.0.0.1:9, which nobody answers.
#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTest>
#include <fstream>

#include "loopback_config.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/shell/dlg_config.h"
#include "orvane/shell/dlg_help.h"
#include "orvane/shell/dlg_info.h"
#include "orvane/shell/frame_commands.h"
#include "orvane/shell/main_frame.h"
#include "orvane/shell/main_status_bar.h"
#include "orvane/shell/orvane_app.h"
#include "orvane/widgets/dock_page_bar.h"
#include "orvane/widgets/tool_bar_ex.h"
#include "orvane/widgets/web_browser.h"
#include "test_support/temp_dir.h"

namespace orvane {
namespace {

struct Editor {
  test_support::TempDir dir;
  ProcessFlags flags;
  std::unique_ptr<COrvaneApp> app;
  Editor() {
    std::ofstream(dir.path() / "ModuleHelpcn.htm") << "<html><body>模块</body></html>";
    app = std::make_unique<COrvaneApp>(shell_tests::loopbackConfig(dir.path()), flags);
    app->core().loadSettings();
  }
  CMainFrame& frame() { return app->mainFrame(); }
};

QStringList toolBarTexts(CToolBarEx& bar) {
  QStringList texts;
  for (QAction* a : bar.actions()) texts << (a->isSeparator() ? QStringLiteral("|") : a->iconText());
  return texts;
}

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void menusToolbarAndAccelerators() {
    Editor editor;
    auto& frame = editor.frame();
    QStringList menus;
    for (QAction* a : frame.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{"文件(&F)", "网络(&N)", "视图(&V)", "帮助(&H)"}));
    QCOMPARE(toolBarTexts(frame.toolBar()),
             (QStringList{"导出", "|", "串口", "TCP/IP", "|", "扫描网络", "|", "关于"}));
    QCOMPARE(frame.action(kCmdExport)->shortcut(), QKeySequence("Ctrl+E"));
    QCOMPARE(frame.action(kCmdTest)->shortcut(), QKeySequence("Ctrl+T"));
    QCOMPARE(frame.action(kCmdFindModules)->statusTip(), QStringLiteral("在网络中查找模块。"));
    QCOMPARE(frame.action(kCmdFindModules)->toolTip(), QStringLiteral("查找"));
  }

  // The selection state of each route reaches the menus and panels; the
  // "TCP/IP" command goes through the view. (The serial route's scan would
  // ask for a port: its command is the view's to test.)
  void routeStates() {
    Editor editor;
    auto& frame = editor.frame();
    editor.app->core().overrideProtocolType(kProtocolSerial);
    frame.selectionState(kProtocolSerial, 0);
    QVERIFY(frame.action(kCmdRouteSerial)->isChecked());
    QVERIFY(!frame.action(kCmdRouteTcpIp)->isChecked());
    QVERIFY(!frame.infoPanel().rowShown(CDlgInfo::kBoot));
    QVERIFY(!frame.configPanel().button(CDlgConfig::kUpgrade).isEnabled());
    frame.onCommand(kCmdRouteTcpIp);
    QVERIFY(frame.action(kCmdRouteTcpIp)->isChecked());
    QVERIFY(frame.infoPanel().rowShown(CDlgInfo::kBoot));
    QVERIFY(frame.configPanel().button(CDlgConfig::kUpgrade).isEnabled());
    QTRY_COMPARE(frame.statusPanes().portButton().text(), QStringLiteral("TCP/IP"));
    QVERIFY(!frame.statusPanes().portButton().isEnabled());
  }

  // Twice "设定栏(B)": hidden, then shown again; the check mark follows.
  void settingsBarToggle() {
    Editor editor;
    auto& frame = editor.frame();
    frame.show();
    QVERIFY(frame.action(kCmdSettingsBar)->isChecked());
    frame.onCommand(kCmdSettingsBar);
    QVERIFY(frame.dockBar().isHidden());
    QVERIFY(!frame.action(kCmdSettingsBar)->isChecked());
    frame.onCommand(kCmdSettingsBar);
    QVERIFY(!frame.dockBar().isHidden());
    QVERIFY(frame.action(kCmdSettingsBar)->isChecked());
  }

  void fourPagesWithIcons() {
    Editor editor;
    auto& dock = editor.frame().dockBar();
    QCOMPARE(dock.objectName(), QStringLiteral("DockPageBar"));
    const QStringList titles{"模块信息", "模块配置", "模块帮助", "软件帮助"};
    QCOMPARE(dock.pageCount(), titles.size());
    for (int i = 0; i < titles.size(); ++i) {
      QCOMPARE(dock.pageTitle(i), titles[i]);
      QVERIFY(!dock.pageIcon(i).isNull());
    }
    // The module help page from the program directory; the other is missing.
    QVERIFY(editor.frame().moduleHelpPanel().browser().toPlainText().contains("模块"));
    QVERIFY(editor.frame().softwareHelpPanel().browser().location().isEmpty());
  }

  // A prompt covers the message pane only while the pointer is on its command.
  void promptsInTheMessagePane() {
    Editor editor;
    auto& frame = editor.frame();
    frame.statusPanes().setMessage("就绪");
    QStatusTipEvent tip(QStringLiteral("导出数据到CSV文件。"));
    QApplication::sendEvent(&frame, &tip);
    auto* pane = qobject_cast<QLabel*>(frame.statusPanes().paneControl(MainStatusBar::kMessagePane));
    QCOMPARE(pane->text(), QStringLiteral("导出数据到CSV文件。"));
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(&frame, &none);
    QCOMPARE(frame.statusPanes().message(), QStringLiteral("就绪"));
    QCOMPARE(frame.statusPanes().paneIndex(MainStatusBar::kLogoPane), 0);
    QCOMPARE(frame.statusPanes().paneIndex(MainStatusBar::kMessagePane), 1);
    QCOMPARE(frame.statusPanes().paneIndex(MainStatusBar::kButtonPane), 2);
    QCOMPARE(frame.statusPanes().paneIndex(MainStatusBar::kProgressPane), 3);
  }

  void titleWithVersion() {
    Editor editor;
    QCOMPARE(editor.frame().windowTitle(), QStringLiteral("ORVANE (Ver2.0.1.1)"));
    editor.frame().setVersion({"ORVANE", "", {2, 0, 1, 1}, 3});
    QCOMPARE(editor.frame().windowTitle(), QStringLiteral("ORVANE (Ver2.0.1.1 - D3)"));
  }

  // The reports reach the open dialog; a run that ended first leaves none open.
  void progressReachesTheOpenDialog() {
    Editor editor;
    auto& frame = editor.frame();
    frame.runProgressDialog(100);
    QVERIFY(!frame.progressDialog());
    QTimer::singleShot(0, &frame, [&] {
      QVERIFY(frame.progressDialog());
      frame.progress(40);
      frame.progress(100);
    });
    frame.runProgressDialog(3);
    QVERIFY(!frame.progressDialog());
  }
};

}  // namespace orvane

QTEST_MAIN(orvane::MainFrameTest)
#include "main_frame_test.moc"
