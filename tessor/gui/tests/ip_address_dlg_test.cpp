// The IP address dialog against trax-sim: the scan lists the modules that
// answer, and the chosen row's address goes into the main window.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "message_box_closer.h"
#include "orvane/widgets/ip_address_edit.h"
#include "tessor/gui/ip_address_dlg.h"
#include "test_support/child_process.h"
#include "window_fixture.h"

namespace tessor::gui_tests {

class IpAddressDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void scanRowsFromTheSimulatorAndTheChosenAddress() {
    test_support::ChildProcess sim(
        TRAX_BIN_DIR "/trax-sim",
        {"--listen", "127.0.0.1:0",
         "--module", R"({"mac":"00-11-22-33-44-61","ipAddress":"127.0.0.99"})",
         "--module", R"({"mac":"00-11-22-33-44-62","ipAddress":"10.0.0.7"})"});
    const auto scanEndpoint = sim.waitForLine("scan-listening ");
    QVERIFY(scanEndpoint);
    const std::string scanPort = scanEndpoint->substr(scanEndpoint->rfind(':') + 1);
    const std::string config = "[MODBUSTCPIP]\r\nScanAddress=127.0.0.1\r\nScanPort=" + scanPort + "\r\n";
    WindowFixture f(config, [] {
      return std::vector<platform::NetworkAdapter>{
          {"eth0", {"10.1.2.3"}, {"255.255.0.0"}, {"10.1.0.1"}, ""}};
    });
    QStringList rows;
    QString mask;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<CIpAddressDlg*>(QApplication::activeModalWidget());
      if (!dialog) return;
      mask = dialog->findChild<QLineEdit*>(QStringLiteral("mask"))->text();
      dialog->findChild<QPushButton*>(QStringLiteral("refresh"))->click();
      auto* modules = dialog->findChild<QTreeWidget*>(QStringLiteral("modules"));
      for (int i = 0; i < modules->topLevelItemCount(); ++i)
        rows << modules->topLevelItem(i)->text(0) + " " + modules->topLevelItem(i)->text(1);
      if (modules->topLevelItemCount() > 0)
        emit modules->itemDoubleClicked(modules->topLevelItem(0), 0);
      dialog->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    f.button("ipButton")->click();
    QCOMPARE(mask, QStringLiteral("255.255.0.0"));
    QCOMPARE(rows, (QStringList{QStringLiteral("127.0.0.99 502"), QStringLiteral("10.0.0.7 502")}));
    QCOMPARE(f.find<orvane::IpAddressEdit>("ipAddress")->address(),
             (orvane::IpAddressEdit::Address{127, 0, 0, 99}));
  }

  void withoutALocalAddressTheScanIsRefused() {
    MessageBoxCloser boxes;
    GuiCalls calls;
    QtPrompt prompt(calls);
    CIpAddressDlg dialog({1, 2, 3, 4}, {}, {0x7F000001, 9}, prompt);
    dialog.refresh();
    QCOMPARE(boxes.texts, QStringList{QStringLiteral("Can not read Local IP Address")});
  }
};

}  // namespace tessor::gui_tests

QTEST_MAIN(tessor::gui_tests::IpAddressDlgTest)
#include "ip_address_dlg_test.moc"
