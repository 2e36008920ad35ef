// The information panel's rows per route and its version texts.
#include <QTest>

#include "orvane/shell/dlg_info.h"

namespace orvane {

class DlgInfoTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsPerRoute() {
    CDlgInfo panel;
    panel.showRowsFor(1);
    QVERIFY(panel.rowShown(CDlgInfo::kFirmware));
    for (auto row : {CDlgInfo::kBoot, CDlgInfo::kSwitches, CDlgInfo::kPwb, CDlgInfo::kPld,
                     CDlgInfo::kCpu})
      QVERIFY(!panel.rowShown(row));
    panel.showRowsFor(0);
    for (auto row : {CDlgInfo::kFirmware, CDlgInfo::kBoot, CDlgInfo::kSwitches, CDlgInfo::kPwb,
                     CDlgInfo::kPld})
      QVERIFY(panel.rowShown(row));
    QVERIFY(!panel.rowShown(CDlgInfo::kCpu));
  }

  void bootLoaderShowsDashes() {
    CDlgInfo panel;
    ModuleVersionInfo v;
    v.firmwareVersion = {1, 1, 0, 2};
    v.bootVersion = {5, 1, 0, 0};
    v.switchByte = 0x80;
    panel.showVersions(2, v);
    QCOMPARE(panel.value(CDlgInfo::kFirmware), QStringLiteral("2.0.1.1"));
    QCOMPARE(panel.value(CDlgInfo::kSwitches), QStringLiteral("10000000"));
    panel.showVersions(1, v);
    QCOMPARE(panel.value(CDlgInfo::kFirmware), QStringLiteral("----"));
    QCOMPARE(panel.value(CDlgInfo::kPld), QStringLiteral("----"));
    QCOMPARE(panel.value(CDlgInfo::kBoot), QStringLiteral("1.05"));
  }
};

}  // namespace orvane

QTEST_MAIN(orvane::DlgInfoTest)
#include "dlg_info_test.moc"
