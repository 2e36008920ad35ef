// The main window against the pymodbus peer: the settings file, every
// function-code button on the wire, polling with its counters and a button
// pressed right after Stop, and the placement on a smaller screen.
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include "message_box_closer.h"
#include "orvane/widgets/ip_address_edit.h"
#include "tessor/tests/modbus_peer.h"
#include "test_support/child_process.h"
#include "window_fixture.h"

namespace tessor::gui_tests {

// The scan count of the status line "扫描次数 N,错误次数 M; ...", or -1.
int scanCountOf(const QString& status) {
  const auto match = QRegularExpression(QStringLiteral("^扫描次数 (\\d+),")).match(status);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class ModbusTestDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void handOffAloneGivesDefaultsAndConnectWritesEveryKey() {
    testing::ModbusPeer peer;
    QVERIFY(peer.ready());
    const std::string handOff =
        "[MODBUSTCPIP]\r\nIP Address0=127\r\nIP Address1=0\r\nIP Address2=0\r\nIP Address3=1\r\n"
        "Station=1\r\nPort=" + std::to_string(peer.port()) + "\r\n[Editor]\r\nNote = kept \r\n";
    WindowFixture f(handOff);
    auto* ip = f.find<orvane::IpAddressEdit>("ipAddress");
    QCOMPARE(ip->address(), (orvane::IpAddressEdit::Address{192, 168, 10, 96}));
    QCOMPARE(f.find<QLineEdit>("startAddress")->text(), QStringLiteral("R2000"));
    QCOMPARE(f.find<QComboBox>("format")->currentIndex(), 2);
    QCOMPARE(f.find<QTableView>("grid")->model()->columnCount(), 8);

    ip->setAddress({127, 0, 0, 1});
    auto* station = f.find<QSpinBox>("station");
    station->setValue(7);
    f.window->show();
    QTest::keyClick(station, Qt::Key_Return);  // Enter in any field connects
    QCOMPARE(f.button("connect")->text(), QStringLiteral("断开"));
    auto* start = f.find<QLineEdit>("startAddress");
    start->clear();
    QTest::keyClicks(start, QStringLiteral("r2000"));
    QCOMPARE(start->text(), QStringLiteral("R2000"));
    QCOMPARE(f.status(), QStringLiteral("连接"));
    const std::string saved = readFile(f.configPath());
    for (const char* line : {"Station=7\r\n", "Retry=3\r\n", "TimeOut=1\r\n", "Poill=0\r\n",
                             "Start Address=R2000\r\n", "Address Size=10\r\n", "Display Type=2\r\n",
                             "Function NO=0\r\n", "Time Interval=20\r\n", "State Display Time=5\r\n",
                             "Ignore Error=0\r\n", "[Editor]\r\nNote = kept \r\n"})
      QVERIFY2(saved.find(line) != std::string::npos, line);
    QVERIFY(saved.find("Grid Column") == std::string::npos);
    QVERIFY(saved.find("Port=" + std::to_string(peer.port()) + "\r\n") != std::string::npos);
    QVERIFY(!f.button("exit")->isEnabled());
  }

  void everyFunctionButtonOnTheWire() {
    testing::ModbusPeer peer;
    QVERIFY(peer.ready());
    WindowFixture f(completeConfig(peer.port()));
    MessageBoxCloser boxes;
    f.button("connect")->click();
    QVERIFY(f.find<QTableView>("grid")->isEnabled());
    struct Press {
      const char* start;
      const char* length;
      const char* button;
      const char* wire;  // the start of the peer's log line
    };
    // A read first in each layout fills the cells that the writes then send.
    const Press presses[] = {
        {"R2000", "3", "FC3", "fc=3 unit=1 addr=1024 count=3"},
        {"R2000", "3", "FC4", "fc=4 unit=1 addr=1024 count=3"},
        {"R2000", "3", "FC16", "fc=16 unit=1 addr=1024 count=3"},
        {"R2000", "3", "FC6", "fc=6 unit=1 addr=1024"},
        {"Q0", "20", "FC1", "fc=1 unit=1 addr=2048 count=20"},
        {"Q0", "20", "FC15", "fc=15 unit=1 addr=2048 count=20"},
        {"Q0", "20", "FC5", "fc=5 unit=1 addr=2048"},
        {"GI10", "4", "FC2", "fc=2 unit=1 addr=8 count=4"},
    };
    for (const Press& p : presses) {
      f.find<QLineEdit>("startAddress")->setText(QLatin1String(p.start));
      f.find<QLineEdit>("length")->setText(QLatin1String(p.length));
      peer.clear();
      QVERIFY2(f.button(p.button)->isEnabled(), p.button);
      f.button(p.button)->click();
      const auto log = peer.log();
      QVERIFY2(log.size() == 1 && log[0].rfind(p.wire, 0) == 0,
               (std::string(p.button) + ": " + (log.empty() ? "nothing" : log[0])).c_str());
    }
    QVERIFY(!boxes.texts.filter(QStringLiteral("成功")).isEmpty());
    QCOMPARE(f.status(), QStringLiteral("读离散输入"));
  }

  void pollingCountsAndAButtonRightAfterStop() {
    testing::ModbusPeer peer;
    QVERIFY(peer.ready());
    WindowFixture f(completeConfig(peer.port()));
    MessageBoxCloser boxes;
    f.button("connect")->click();
    f.find<QLineEdit>("length")->setText(QStringLiteral("100"));
    QCOMPARE(f.find<QComboBox>("functionList")->currentText(), QStringLiteral("03－读保持寄存器"));
    f.button("startStop")->click();
    QCOMPARE(f.button("startStop")->text(), QStringLiteral("停止"));
    QVERIFY(!f.button("FC3")->isEnabled());
    QVERIFY(!f.button("connect")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(scanCountOf(f.status()) >= 5, 10000);
    QVERIFY2(f.status().endsWith(QStringLiteral(",错误次数 0; 读保持寄存器")), qPrintable(f.status()));

    peer.command("delay 100");  // Stop finds the worker inside a request
    QTest::qWait(50);
    peer.command("set hr 1024 4660");
    f.button("startStop")->click();
    QCOMPARE(f.status(), QStringLiteral("停止"));
    QTRY_VERIFY_WITH_TIMEOUT(f.button("FC3")->isEnabled(), 10000);
    peer.command("delay 0");
    f.find<QLineEdit>("length")->setText(QStringLiteral("1"));
    f.button("FC3")->click();
    QCOMPARE(f.status(), QStringLiteral("读保持寄存器"));
    QCOMPARE(f.find<QTableView>("grid")->model()->index(0, 0).data().toString(), QStringLiteral("1234"));
    QVERIFY(boxes.texts.isEmpty());
  }

  // The editor's hand-off (address and station) onto the Config.ini that
  // travels with tessor, pointed at a module of the demo scenario.
  void readsTheRegistersOfASimulatedModule() {
    test_support::ChildProcess sim(TRAX_BIN_DIR "/trax-sim",
                                   {"--listen", "127.0.0.1:0", "--scenario",
                                    TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/demo.json"});
    const auto served = sim.waitForLine("modbus-listening 127.0.0.11:");
    QVERIFY(served);
    const std::string port = served->substr(0, served->find(' '));
    std::string config = readFile(TRAX_SOURCE_DIR "/tessor/gui/Config.ini");
    config.insert(config.find("Retry="), "IP Address0=127\r\nIP Address1=0\r\nIP Address2=0\r\n"
                                         "IP Address3=11\r\nStation=1\r\nPort=" + port + "\r\n");
    WindowFixture f(config);
    QCOMPARE(f.find<orvane::IpAddressEdit>("ipAddress")->address(),
             (orvane::IpAddressEdit::Address{127, 0, 0, 11}));
    f.button("connect")->click();
    f.button("FC3")->click();
    QCOMPARE(f.status(), QStringLiteral("读保持寄存器"));
    auto* model = f.find<QTableView>("grid")->model();
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("1"));
    QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("1234"));
    QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("FFFF"));
  }

  void placementOfALargerScreenIsKeptOnThisOne() {
    WindowFixture f(completeConfig(1));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    writeFile(f.profilePath(),
              "[Modbus TCP IP Tools]\r\n(check)=32639\r\nLeft=3000\r\nTop=2000\r\nRight=5600\r\n"
              "Bottom=4000\r\nState=1\r\n");
    f.window.reset();
    f.window = std::make_unique<CModbusTestDlg>(TessorFiles{f.configPath(), f.profilePath()},
                                                linkedQuorra(), [] {
                                                  return std::vector<platform::NetworkAdapter>{};
                                                });
    f.window->show();
    QVERIFY2(available.contains(f.window->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6").arg(f.window->frameGeometry().x()).arg(f.window->frameGeometry().y()).arg(f.window->frameGeometry().width()).arg(f.window->frameGeometry().height()).arg(available.width()).arg(available.height())));
    QTest::keyClick(f.window.get(), Qt::Key_Escape);
    QVERIFY(!f.window->isVisible());
    QVERIFY(readFile(f.profilePath()).find("(check)=32639") != std::string::npos);
  }
};

}  // namespace tessor::gui_tests

QTEST_MAIN(tessor::gui_tests::ModbusTestDlgTest)
#include "modbus_test_dlg_test.moc"
