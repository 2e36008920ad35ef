// The configuration panel's buttons per route and run mode, and the
// command each sends.
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "orvane/protocol/command_enabling.h"
#include "orvane/shell/dlg_config.h"

namespace orvane {

class DlgConfigTest : public QObject {
  Q_OBJECT

 private slots:
  // On the serial route "恢复出厂值" keeps the state it had.
  void buttonsFollowTheSelection() {
    CDlgConfig panel;
    auto enabled = [&](CDlgConfig::Button b) { return panel.button(b).isEnabled(); };
    panel.selectionState(0, 1);
    QVERIFY(!enabled(CDlgConfig::kBasic) && !enabled(CDlgConfig::kRestore));
    QVERIFY(enabled(CDlgConfig::kUpgrade));
    panel.selectionState(1, 2);
    QVERIFY(enabled(CDlgConfig::kBasic));
    QVERIFY(!enabled(CDlgConfig::kAdvanced) && !enabled(CDlgConfig::kPeer));
    QVERIFY(!enabled(CDlgConfig::kUpgrade));
    QVERIFY(!enabled(CDlgConfig::kRestore));  // as the boot loader module left it
    panel.selectionState(0, 2);
    panel.selectionState(1, 0);
    QVERIFY(enabled(CDlgConfig::kRestore));
  }

  void buttonsSendTheirCommands() {
    CDlgConfig panel;
    QSignalSpy commands(&panel, &CDlgConfig::command);
    for (int b = 0; b < CDlgConfig::kButtonCount; ++b)
      panel.button(static_cast<CDlgConfig::Button>(b)).click();
    const QList<int> expected{kCmdBasicSettings, kCmdAdvancedSettings, kCmdPeerSettings,
                              kCmdFirmwareUpgrade, kCmdFactoryRestore};
    QCOMPARE(commands.count(), expected.size());
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(commands.at(i).at(0).toInt(), expected[i]);
  }
};

}  // namespace orvane

QTEST_MAIN(orvane::DlgConfigTest)
#include "dlg_config_test.moc"
