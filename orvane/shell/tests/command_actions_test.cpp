// The enabled and checked states of bare actions, as the menus, toolbar and
// context menu take them, per route and run mode of the selected module.
#include <QAction>
#include <QTest>

#include "orvane/shell/command_actions.h"

namespace orvane {

class CommandActionsTest : public QObject {
  Q_OBJECT

 private slots:
  void statesFollowRouteAndRunMode() {
    QAction basic, advanced, upgrade, tcpIp, serial, find;
    for (QAction* a : {&tcpIp, &serial}) a->setCheckable(true);
    const CommandActions actions{{kCmdBasicSettings, &basic},   {kCmdAdvancedSettings, &advanced},
                                 {kCmdFirmwareUpgrade, &upgrade}, {kCmdRouteTcpIp, &tcpIp},
                                 {kCmdRouteSerial, &serial},     {kCmdFindModules, &find}};
    struct Row {
      int protocol, row, runMode;
      bool basic, advanced, upgrade;
    };
    const Row rows[] = {
        {0, 0, 2, true, true, true},   {0, 0, 1, false, false, true},
        {0, -1, 0, false, false, true}, {1, 0, 1, true, false, false},
    };
    for (const Row& r : rows) {
      applyCommandState(actions, {r.protocol, r.row, static_cast<std::uint8_t>(r.runMode)});
      QCOMPARE(basic.isEnabled(), r.basic);
      QCOMPARE(advanced.isEnabled(), r.advanced);
      QCOMPARE(upgrade.isEnabled(), r.upgrade);
      QVERIFY(find.isEnabled());
      QCOMPARE(tcpIp.isChecked(), r.protocol == 0);
      QCOMPARE(serial.isChecked(), r.protocol == 1);
      QVERIFY(!basic.isChecked());
    }
  }
};

}  // namespace orvane

QTEST_MAIN(orvane::CommandActionsTest)
#include "command_actions_test.moc"
