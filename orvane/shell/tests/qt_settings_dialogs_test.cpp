// The editor's settings commands against the demo modules of trax-sim: each
// opens its dialog with the module's values (answered here by Cancel, so
// nothing is written).
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "loopback_config.h"
#include "modal_answerer.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/tests/image_file.h"
#include "orvane/shell/main_frame.h"
#include "orvane/shell/orvane_app.h"
#include "orvane/shell/orvane_view.h"
#include "test_support/child_process.h"
#include "test_support/temp_dir.h"

namespace orvane {

class QtSettingsDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void commandsOpenTheirDialogsWithTheModulesValues();
};

void QtSettingsDialogsTest::commandsOpenTheirDialogsWithTheModulesValues() {
  test_support::TempDir dir;
  testing::writeFile(dir.path() / "fw.bin", testing::firmwareImage({0, 0, 1, 4}));  // 4.1.0.0
  test_support::ChildProcess sim(TRAX_BIN_DIR "/trax-sim",
                                 {"--listen", "127.0.0.1:0", "--no-scan", "--scenario",
                                  TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/demo.json"});
  const auto port = sim.waitForLine("listening 127.0.0.1:");
  QVERIFY(port);
  auto config = shell_tests::loopbackConfig(dir.path(), static_cast<std::uint16_t>(std::stoi(*port)));
  config.writeText("FirmwareFileName", "fw.bin");
  ProcessFlags flags;
  COrvaneApp app(config, flags);
  app.show();
  auto& view = app.mainFrame().view();
  QTRY_VERIFY_WITH_TIMEOUT(view.rowCount() == 5 && app.core().worker().finished() &&
                               app.core().worker().code() == kOperationRefresh, 10000);
  QCOMPARE(view.item(view.currentRow(), kColumnMac)->text(), QStringLiteral("00.11.22.33.44.55"));

  struct Case {
    void (COrvaneView::*command)();
    const char* dialog;
    QString title;
    const char* control;  // a line edit, or the peer list
    QString shown;        // its text, or the list's first row config
  };
  const Case cases[] = {
      {&COrvaneView::basicSettings, "CDlgGeneralSet", QStringLiteral("基本设置"), "name", QStringLiteral("一号线主站")},
      {&COrvaneView::advancedSettings, "CDlgAdvancedSet", QStringLiteral("TRAX高级设置"), "masterTimeout", QStringLiteral("500")},
      {&COrvaneView::peerSettings, "CDlgP2PConfig", QStringLiteral("点对点配置"), "peerList", QStringLiteral("IP = 192.168.10.12")},
  };
  for (const auto& c : cases) {
    QString seen;
    shell_tests::ModalAnswerer answer([&](QWidget* modal) {
      seen = modal->objectName() + "|" + modal->windowTitle() + "|";
      if (auto* edit = modal->findChild<QLineEdit*>(c.control)) seen += edit->text();
      if (auto* list = modal->findChild<QTableWidget*>(c.control)) seen += list->item(0, 2)->text();
      if (auto* cancel = modal->findChild<QPushButton*>("cancel"))
        cancel->click();
      else
        qobject_cast<QDialog*>(modal)->reject();  // a box instead of the dialog
    });
    (view.*c.command)();
    QVERIFY2(answer.answered(), c.dialog);
    QCOMPARE(seen, QString::fromLatin1(c.dialog) + "|" + c.title + "|" + c.shown);
  }
}

}  // namespace orvane

QTEST_MAIN(orvane::QtSettingsDialogsTest)
#include "qt_settings_dialogs_test.moc"
