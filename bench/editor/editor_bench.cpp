// The editor's window against trax-sim on loopback, offscreen: the time from
// the program's start to the first row shown (with 1, 16 and 255 modules;
// a table of 256 records leaves the list as it was, so 255 is the largest
// list), the whole-list refresh and a three-key Ctrl sort of that largest
// list, and the resident memory after the scan. Prints figures; asserts
// nothing.
#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "common/help_and_version.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/shell/main_frame.h"
#include "orvane/shell/orvane_app.h"
#include "orvane/shell/orvane_view.h"
#include "test_support/child_process.h"
#include "test_support/program_directory.h"
#include "test_support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point kProcessStart = Clock::now();  // before main, as near the start as C++ gets

const char* const kUsage =
    "usage: bench_editor [MODULES]\n"
    "Starts the editor offscreen against trax-sim on 127.0.0.1 with MODULES modules (1, 16 and\n"
    "255 when none is given, each in a process of its own) and prints the time to the first row,\n"
    "the list refresh, a multi-column sort and the resident memory.\n"
    "  --help      this text\n"
    "  --version   the suite's version\n";
const std::string kSim = TRAX_BIN_DIR "/trax-sim";
constexpr int kRepeats = 20;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long residentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

int benchOne(int modules, int argc, char** argv) {
  test_support::TempDir dir;
  test_support::makeFirmwareImage(kSim, dir.path() / "fw.bin");
  test_support::ChildProcess sim(
      kSim, {"--listen", "127.0.0.1:0", "--no-scan", "--modules", std::to_string(modules)});
  const auto listening = sim.waitForLine("listening ");
  if (!listening) return 1;
  const std::string port = listening->substr(listening->rfind(':') + 1);
  {
    std::ofstream ini(dir.path() / "Lumen_.ini");
    ini << "[App]\r\nFirmwareFileName=fw.bin\r\nBroadcastAddress=127.0.0.1\r\nBroadcastPort="
        << port << "\r\n";
  }
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.path().string()));  // the column widths land here
  QApplication application(argc, argv);
  orvane::ProcessFlags flags;
  orvane::COrvaneApp app(orvane::ConfigStore(dir.path() / "Lumen_.ini"), flags);
  auto& view = app.mainFrame().view();
  Clock::time_point scanStart{};
  QObject::connect(&view, &orvane::COrvaneView::firstShown, [&] { scanStart = Clock::now(); });
  app.show();
  QElapsedTimer limit;
  limit.start();
  while (view.rowCount() == 0 && limit.elapsed() < 30000) QApplication::processEvents(QEventLoop::AllEvents, 1);
  const double firstRow = msSince(kProcessStart);
  const double scan = msSince(scanStart);
  std::printf("%3d modules: first row %.1f ms after start (process to window %.1f ms, scan %.1f ms)\n",
              modules, firstRow, firstRow - scan, scan);
  app.core().endWorker(orvane::BackgroundOperation::kNoLimit);
  std::printf("             resident memory after the scan: %.1f MB\n", residentKb() / 1024.0);

  // Each timed step selects a row, which starts the refresh of its module on
  // the worker; the step after it begins once that exchange is over, so
  // the figures are the list's own work, not a wait for the simulator.
  const auto& worker = app.core().worker();
  const auto idle = [&] {
    while (worker.recorded() && !worker.finished()) QApplication::processEvents(QEventLoop::AllEvents, 1);
  };
  double refresh = 0;
  for (int i = 0; i < kRepeats; ++i) {
    idle();
    const auto start = Clock::now();
    view.refreshList(-1);
    refresh += msSince(start);
  }
  std::printf("             whole-list refresh of %d rows: %.2f ms\n", view.rowCount(), refresh / kRepeats);
  double sort = 0;
  for (int i = 0; i < kRepeats; ++i)
    for (const int column : {orvane::kColumnName, orvane::kColumnIp, orvane::kColumnMac}) {
      idle();
      const auto start = Clock::now();
      view.sortByColumn(column, column != orvane::kColumnName);
      sort += msSince(start);
    }
  std::printf("             three-key sort of %d rows: %.2f ms per Ctrl+click\n", view.rowCount(),
              sort / (3.0 * kRepeats));
  return view.rowCount() == modules ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto answered = trax::answerHelpOrVersion(argc, argv, "bench_editor", kUsage)) return *answered;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc > 1) return benchOne(std::stoi(argv[1]), argc, argv);
  int failures = 0;
  for (const char* modules : {"1", "16", "255"}) {
    test_support::ChildProcess one(argv[0], {modules});
    while (const auto line = one.readLine()) std::fputs((*line + "\n").c_str(), stdout);
    failures += one.stop() != 0;
  }
  return failures == 0 ? 0 : 1;
}
