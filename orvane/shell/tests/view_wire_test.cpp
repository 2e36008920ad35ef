// The editor's commands on the wire: each menu, toolbar, context-menu and
// configuration-panel command of the window, answered OK throughout, sends
// trax-sim what orvane-cli sends for the same operation; the firmware
// upgrade runs its progress dialog to 100 and the next scan shows the new
// version.
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "demo_editor.h"
#include "modal_answerer.h"
#include "orvane/cli/subcommands.h"
#include "orvane/protocol/command_enabling.h"
#include "orvane/shell/dlg_config.h"
#include "orvane/shell/dlg_progress.h"

namespace orvane::shell_tests {
namespace {

using Frames = test_support::TraxSimWireLog::Frames;
const std::string kMac = "00-11-22-33-44-55";  // row 0, selected after the first scan

enum class Entry { Menu, ContextMenu, Panel };

void trigger(CMainFrame& frame, Entry entry, int command) {
  switch (entry) {
    case Entry::Menu:
      frame.action(command)->trigger();
      break;
    case Entry::ContextMenu:
      for (QAction* action : frame.view().contextMenu().actions())
        if (action->data().toInt() == command) action->trigger();
      break;
    case Entry::Panel:  // the buttons in the order of the commands 32778-32782
      frame.configPanel().button(static_cast<CDlgConfig::Button>(command - kCmdBasicSettings)).click();
      break;
  }
}

// What orvane-cli sends for `args` to a fresh demo scenario, after the scan
// each of its commands begins with (the scan of `scan` itself stays).
Frames cliFrames(const std::filesystem::path& lumen, std::vector<std::string> args) {
  test_support::TraxSimWireLog sim(kDemoScenario);
  std::ostringstream out, err;
  const auto run = [&](std::vector<std::string> command) {
    command.insert(command.begin(), {"--target", sim.target(), "--config", lumen.string()});
    return cli::runCli(command, {out, err});
  };
  if (args.front() == "peers") {  // the table as the module holds it, written back
    run({"peers", kMac, "--json"});
    std::ofstream(lumen.parent_path() / "peers.json") << out.str();
    args.push_back((lumen.parent_path() / "peers.json").string());
    sim.lines();
  }
  run({"scan"});
  const Frames scan = sim.received();
  if (run(args) != 0) qWarning("orvane-cli: %s", err.str().c_str());
  Frames frames = sim.received();
  if (args.front() != "scan" && frames.size() >= scan.size() &&
      std::equal(scan.begin(), scan.end(), frames.begin()))
    frames.erase(frames.begin(), frames.begin() + static_cast<std::ptrdiff_t>(scan.size()));
  return frames;
}

QStringList lines(const Frames& frames) {
  QStringList text;
  for (const auto& frame : frames) {
    QString line;
    for (const auto byte : frame) line += QString::asprintf("%02X ", byte);
    text << line.trimmed();
  }
  return text;
}

// Every frame trax-sim receives from now until there are at least `count`.
Frames framesUntil(test_support::TraxSimWireLog& sim, std::size_t count) {
  Frames frames;
  QTest::qWaitFor([&] {
    for (auto& frame : sim.received()) frames.push_back(std::move(frame));
    return frames.size() >= count;
  }, 20000);
  return frames;
}

// Repeated polls (the boot loader's, the restart's) count as one: how many
// a run needs depends on the time the simulated module takes.
Frames withoutRepeats(Frames frames) {
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  return frames;
}

std::vector<std::string> strings(const QStringList& list) {
  std::vector<std::string> result;
  for (const auto& item : list) result.push_back(item.toStdString());
  return result;
}

class ViewWireTest : public QObject {
  Q_OBJECT

 private slots:
  void commandSendsWhatTheCliSends_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("cli");
    QTest::addColumn<QStringList>("windowAfter");  // what the window sends on its own afterwards
    const QString mac = QString::fromStdString(kMac);
    // After a scan the window refreshes the selected row (operation 9).
    const QStringList refresh{"AA 0B 00 09 00 11 22 33 44 55 B9"};
    const auto row = [](const char* name, Entry entry, int command, QStringList cli, QStringList after = {}) {
      QTest::newRow(name) << int(entry) << command << cli << after;
    };
    row("查找模块, menu", Entry::Menu, kCmdFindModules, {"scan"}, refresh);
    row("TCP/IP, toolbar", Entry::Menu, kCmdRouteTcpIp, {"scan"}, refresh);
    row("基本配置, context menu", Entry::ContextMenu, kCmdBasicSettings,
        {"basic", mac, "--name", "一号线主站", "--wait", "0"});
    row("高级配置, panel", Entry::Panel, kCmdAdvancedSettings, {"advanced", mac, "--master-timeout", "500"});
    row("点对点配置, context menu", Entry::ContextMenu, kCmdPeerSettings, {"peers", mac, "--set"});
    row("恢复出厂设置, panel", Entry::Panel, kCmdFactoryRestore, {"restore", mac, "--yes"});
  }

  void commandSendsWhatTheCliSends() {
    QFETCH(int, entry);
    QFETCH(int, command);
    QFETCH(QStringList, cli);
    QFETCH(QStringList, windowAfter);
    DemoEditor editor;
    QVERIFY(editor.start());
    const auto expected = lines(cliFrames(editor.dir.path() / "Lumen_.ini", strings(cli))) + windowAfter;
    editor.sim.lines();
    AnswerEveryModal answers;
    trigger(editor.app->mainFrame(), static_cast<Entry>(entry), command);
    const auto window = lines(framesUntil(editor.sim, static_cast<std::size_t>(expected.size())));
    QCOMPARE(window, expected);
    QVERIFY(QTest::qWaitFor([&] { return editor.app->core().worker().finished(); }, 10000));
  }

  // The image of 4.1.0.9 goes to the module of 4.1.0.3 in row 0: the
  // progress dialog follows the download to 100 and closes, the scan after
  // the restart shows the new version.
  void firmwareUpgradeShowsItsProgressAndTheNewVersion() {
    DemoEditor editor;
    QVERIFY(editor.start());
    const auto image = editor.dir.path() / "new.bin";
    testing::writeFile(image, testing::firmwareImage({9, 0, 1, 4}));
    editor.app->core().config().writeInt("EnableSelectFirmware", 1);  // the file dialog asks for it
    auto& frame = editor.app->mainFrame();
    int shownLast = -1;
    connect(&frame.view(), &COrvaneView::progress, this, [&] {
      if (frame.progressDialog()) shownLast = frame.progressDialog()->position();
    });
    const auto cli = withoutRepeats(
        cliFrames(editor.dir.path() / "Lumen_.ini", {"upgrade", kMac, image.string(), "--yes"}));
    editor.sim.lines();
    AnswerEveryModal answers(QString::fromStdString(image.string()));
    trigger(frame, Entry::ContextMenu, kCmdFirmwareUpgrade);
    QVERIFY(QTest::qWaitFor([&] { return answers.seen.contains("模块固件升级成功！"); }, 30000));
    QVERIFY(QTest::qWaitFor([&] { return editor.idleAfter(kOperationRefresh) && editor.view().rowCount() == 5; }, 10000));
    // The confirmation can cover the progress dialog before the answerer has
    // sampled it, so the dialog is known by its position, not by its turn.
    answers.seen.removeAll("CDlgProgress");
    QCOMPARE(answers.seen, QStringList({"升级固件吗？", "打开",
                                        "系统程序升级:\n\n从版本：\t到版本：\n\nV4.1.0.3\t\tV4.1.0.9",
                                        "模块固件升级成功！"}));
    QCOMPARE(shownLast, 100);
    QVERIFY(!frame.progressDialog());
    QCOMPARE(editor.view().item(0, kColumnMac)->text(), QString("00.11.22.33.44.55"));
    QCOMPARE(editor.view().item(0, kColumnVersion)->text(), QString("V4.1.0.9"));
    const auto window = withoutRepeats(editor.sim.received());
    QCOMPARE(lines(Frames(window.begin(), window.begin() + std::min(window.size(), cli.size()))), lines(cli));
  }
};

}  // namespace
}  // namespace orvane::shell_tests

QTEST_MAIN(orvane::shell_tests::ViewWireTest)
#include "view_wire_test.moc"
