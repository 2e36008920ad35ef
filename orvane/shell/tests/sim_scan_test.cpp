// The editor against simulated modules: trax-sim on a free loopback port,
// a Lumen_.ini that points the editor there and names a firmware image, and
// the list filled by the first scan when the main window is shown.
#include <QProcess>
#include <QTest>
#include <map>

#include "loopback_config.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/shell/busy_indicator.h"
#include "orvane/shell/dlg_info.h"
#include "orvane/shell/main_frame.h"
#include "orvane/shell/main_status_bar.h"
#include "orvane/shell/orvane_app.h"
#include "orvane/shell/orvane_view.h"
#include "test_support/child_process.h"
#include "test_support/temp_dir.h"

namespace orvane::shell_tests {
namespace {

const std::string kSim = TRAX_BIN_DIR "/trax-sim";
const std::string kScenario = TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/demo.json";
// Beside the demo's modules, one whose address shows the zero padding.
const std::string kPaddedModule =
    R"({"mac":"00-11-22-33-44-5A","moduleId":6,"name":"六号","ipAddress":"10.0.0.1"})";

struct ExpectedRow {
  const char* mac;
  const char* ip;
  const char* id;
  const char* name;
  const char* status;
  const char* version;
  QColor colour;
};

// The modules of the demo scenario as the list shows them. The image is
// 4.1.0.0, so the module with firmware 3.2.0.1 gets no basic settings and
// the boot loader none at all: their ID, name and description stay as reset.
// The boot loader's version column shows the version its ReadBootInfo gave.
const ExpectedRow kExpectedRows[] = {
    {"00.11.22.33.44.55", "127.00.00.11", "1", "一号线主站", "系统程序", "V4.1.0.3", Qt::white},
    {"00.11.22.33.44.56", "127.00.00.12", "", "", "BOOTLOAD", "V1.0.0.2", Qt::white},
    {"00.11.22.33.44.57", "127.00.00.13", "7", "包装线模块",
     "系统程序-物理地址错误(警告)-手动复位状态", "V4.1.0.3", Qt::yellow},
    {"00.11.22.33.44.58", "127.00.00.14", "0", "", "系统程序", "V3.2.0.1", Qt::white},
    {"00.11.22.33.44.59", "127.00.00.105", "5", "仓库模块", "系统程序", "V4.1.0.3", Qt::white},
    {"00.11.22.33.44.5A", "10.00.00.01", "6", "六号", "系统程序", "V4.1.0.3", Qt::white},
};
constexpr int kModuleCount = static_cast<int>(std::size(kExpectedRows));

std::uint16_t portOfEndpoint(const std::string& endpoint) {
  const auto colon = endpoint.rfind(':');
  return colon == std::string::npos
             ? 0
             : static_cast<std::uint16_t>(std::stoi(endpoint.substr(colon + 1)));
}

class SimScanTest : public QObject {
  Q_OBJECT

 private slots:
  void listShowsTheSimulatedModules() {
    test_support::TempDir dir;
    const auto image = dir.path() / "fw.bin";
    QCOMPARE(QProcess::execute(QString::fromStdString(kSim),
                               {"make-image", "--kind", "system", "--version", "4.1.0.0", "--size",
                                "4096", QString::fromStdString(image.string())}),
             0);
    test_support::ChildProcess sim(
        kSim, {"--listen", "127.0.0.1:0", "--scenario", kScenario, "--module", kPaddedModule});
    const auto listening = sim.waitForLine("listening ");
    QVERIFY(listening.has_value());
    const std::uint16_t port = portOfEndpoint(*listening);
    QVERIFY(port != 0);
    auto config = loopbackConfig(dir.path(), port);
    config.writeText("FirmwareFileName", "fw.bin");

    ProcessFlags flags;
    COrvaneApp app(config, flags);
    app.show();
    auto& view = app.mainFrame().view();
    QTRY_COMPARE_WITH_TIMEOUT(view.rowCount(), kModuleCount, 10000);

    std::map<QString, int> rowOfMac;
    for (int row = 0; row < view.rowCount(); ++row)
      rowOfMac[view.item(row, kColumnMac)->text()] = row;
    for (const auto& expected : kExpectedRows) {
      QVERIFY2(rowOfMac.count(expected.mac), expected.mac);
      const int row = rowOfMac[expected.mac];
      const auto text = [&](int column) { return view.item(row, column)->text(); };
      QCOMPARE(text(kColumnModel), QString("M4-TRAX100"));
      QCOMPARE(text(kColumnIp), QString(expected.ip));
      QCOMPARE(text(kColumnId), QString(expected.id));
      QCOMPARE(text(kColumnName), QString(expected.name));
      QCOMPARE(text(kColumnStatus), QString(expected.status));
      QCOMPARE(text(kColumnVersion), QString(expected.version));
      QCOMPARE(view.item(row, kColumnMac)->background().color(), expected.colour);
    }

    // Row 0 is selected and refreshed; the operation ends with "就绪" and
    // the busy indicator put away.
    QCOMPARE(view.currentRow(), 0);
    auto& panes = app.mainFrame().statusPanes();
    QTRY_VERIFY_WITH_TIMEOUT(
        app.core().worker().finished() && app.core().worker().code() == kOperationRefresh, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(panes.message(), QString("就绪"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(panes.busyIndicator().isHidden(), 5000);
    QVERIFY(!app.mainFrame().infoPanel().value(CDlgInfo::kFirmware).isEmpty());
  }
};

}  // namespace


}  // namespace orvane::shell_tests

QTEST_MAIN(orvane::shell_tests::SimScanTest)
#include "sim_scan_test.moc"
