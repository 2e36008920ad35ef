// Closing the main window while the editor communicates, and the serial
// route's first scan through the PLC: the editor loaded with the built
// Wirelet, against plc-sim on a pseudo-terminal as COM11.
#include <QAbstractButton>
#include <QMessageBox>
#include <fstream>
#include <QTest>

#include "editor_fixture.h"
#include "modal_answerer.h"
#include "orvane/serial/tests/plc_sim_line.h"
#include "orvane/shell/main_frame.h"

namespace orvane::shell_tests {
namespace {

constexpr int kPlcPort = 11;
const std::string kDemoPlc = [] {
  std::ifstream file(TRAX_SOURCE_DIR "/sim/plc_sim/scenarios/demo.json");
  return std::string(std::istreambuf_iterator<char>(file), {});
}();

// An editor on the serial route at COM11 with Wirelet loaded.
struct SerialEditor {
  test_support::TempDir dir;
  ProcessFlags flags;
  COrvaneApp app{[this] {
                   auto config = loopbackConfig(dir.path());
                   config.writeInt("ProtocolType", kProtocolSerial);
                   config.writeInt("PortCom", kPlcPort);
                   return config;
                 }(),
                 flags};
  SerialEditor() { QVERIFY(app.loadWirelet(WIRELET_LIBRARY)); }
};

// Presses the button `button` ("确定", "取消") of the next message box and
// says whether its text started with `text`.
ModalAnswerer answerBox(QString text, QString button, bool* asked) {
  return ModalAnswerer([=](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return;
    *asked = box->text().startsWith(text);
    for (QAbstractButton* candidate : box->buttons())
      if (candidate->text() == button) candidate->click();
  });
}

class CloseTest : public QObject {
  Q_OBJECT

 private slots:
  void serialScanFillsTheList() {
    testing::PlcSimLine plc(kPlcPort, kDemoPlc);
    QVERIFY(plc.ready());
    SerialEditor editor;
    // The second module reports status 3: its detail read shows no box.
    editor.app.show();
    auto& view = editor.app.mainFrame().view();
    QTRY_COMPARE_WITH_TIMEOUT(view.rowCount(), 2, 20000);
    QCOMPARE(cell(view, 0, kColumnMac), QString("00.1A.2B.3C.4D.5E"));
    QCOMPARE(cell(view, 0, kColumnModel), QString("P-TRAX100"));
    QCOMPARE(cell(view, 0, kColumnVersion), QString("V1.05"));
    QVERIFY(!editor.flags.communicationBusy);
  }

  // A PLC that never answers keeps the serial scan communicating: the close
  // asks, Cancel keeps the window, OK closes it once the scan has let go.
  void closingDuringASerialScanAsksAndWaits() {
    testing::PlcSimLine plc(kPlcPort, kDemoPlc, {"--no-enquiry-answer"});
    QVERIFY(plc.ready());
    SerialEditor editor;
    editor.app.show();
    auto& frame = editor.app.mainFrame();
    QTRY_VERIFY_WITH_TIMEOUT(editor.flags.communicationBusy, 5000);
    bool asked = false;
    {
      auto cancel = answerBox("正在通信中，退出软件吗？", "取消", &asked);
      QVERIFY(!frame.close());
      QVERIFY(asked);
    }
    QVERIFY(frame.isVisible());
    QVERIFY(!editor.flags.closing);
    asked = false;
    auto ok = answerBox("正在通信中，退出软件吗？", "确定", &asked);
    QVERIFY(frame.close());
    QVERIFY(asked);
    QVERIFY(editor.flags.closing);
    QVERIFY(!editor.flags.communicationBusy);
    QVERIFY(!frame.isVisible());
  }

  // Without Wirelet the start-up stops with the loader's error number; the
  // texts stand built in, with the suite's version numbers.
  void startUpWithoutWireletAndVersionTexts() {
    Editor editor;
    QVERIFY(!editor.app.loadWirelet(editor.dir.path() / "libWirelet.so"));
    QVERIFY(QString::fromStdString(editor.app.wireletNotFoundText())
                .startsWith("没有找到libWirelet.so\nError Code: "));
    const auto& version = editor.app.version();
    QCOMPARE(QString::fromStdString(version.originalFilename), QString("Orvane.EXE"));
    QCOMPARE(QString::fromStdString(version.productName), QString("ORVANE"));
    QCOMPARE(version.numbers, (std::array<std::uint16_t, 4>{2, 0, 1, 1}));
    QCOMPARE(editor.app.mainFrame().windowTitle(), QString("ORVANE (Ver2.0.1.1)"));
  }

  // The network route raises no communication-busy flag: no question.
  void closingDuringANetworkScanClosesAtOnce() {
    Editor editor;
    editor.app.show();
    QVERIFY(editor.app.mainFrame().close());
    QVERIFY(editor.flags.closing);
  }
};

}  // namespace
}  // namespace orvane::shell_tests

QTEST_MAIN(orvane::shell_tests::CloseTest)
#include "close_test.moc"
