// Saves the screenshots of the README: the main window connected to the
// pymodbus peer, the same while polling, and the IP address dialog after a scan
// of trax-sim. Run by scripts/tessor_screenshots.sh under Xvfb; everything
// stays on loopback.
//   tessor_screenshots OUTPUT_DIR
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "message_box_closer.h"
#include "tessor/gui/ip_address_dlg.h"
#include "tessor/tests/modbus_peer.h"
#include "window_fixture.h"

using namespace tessor::gui_tests;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: tessor_screenshots OUTPUT_DIR\n", stderr);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  tessor::testing::ModbusPeer peer;
  test_support::ChildProcess sim(TRAX_BIN_DIR "/trax-sim",
                                 {"--listen", "127.0.0.1:0", "--scenario",
                                  TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/demo.json"});
  const auto scan = sim.waitForLine("scan-listening ");
  if (!peer.ready() || !scan) return 1;
  const std::string scanPort = scan->substr(scan->rfind(':') + 1);
  const std::string values = "set hr 1024 4660 22136 43981 1 2 3 4 5 6 7 8 9 10 11 12 13";
  peer.command(values);
  WindowFixture f(completeConfig(peer.port(), "ScanPort=" + scanPort + "\r\n"), [] {
    return std::vector<platform::NetworkAdapter>{
        {"eth0", {"192.168.10.2"}, {"255.255.255.0"}, {"192.168.10.1"}, ""}};
  });
  MessageBoxCloser boxes;
  f.window->resize(760, 560);
  f.window->show();
  QTest::qWait(200);
  f.button("connect")->click();
  f.find<QLineEdit>("length")->setText(QStringLiteral("16"));
  f.button("FC3")->click();
  QTest::qWait(200);
  bool saved = f.window->grab().save(out + QStringLiteral("/tessor-connected.png"));

  f.button("startStop")->click();
  QTest::qWait(1500);
  saved = f.window->grab().save(out + QStringLiteral("/tessor-polling.png")) && saved;
  f.button("startStop")->click();
  QTest::qWait(300);

  f.button("connect")->click();  // the IP button belongs to the disconnected state
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<tessor::CIpAddressDlg*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->findChild<QPushButton*>(QStringLiteral("refresh"))->click();
    QTest::qWait(200);
    saved = dialog->grab().save(out + QStringLiteral("/tessor-ip-dialog.png")) && saved;
    dialog->reject();
  });
  f.button("ipButton")->click();
  return saved ? 0 : 1;
}
