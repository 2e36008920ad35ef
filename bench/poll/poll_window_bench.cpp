// Tessor's window under load, offscreen, against a libmodbus server on
// loopback: the polling worker's cycles per second while the window presents
// them (status line per cycle, table per refresh period) beside the core
// alone; the user-interface thread's time for one refresh of a 125-register
// table; the time from the start to the window on screen; the resident memory.
// Figures only, no verdicts.
//   bench_poll_window [--seconds N]   N from 1 to 10, default 2
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <fstream>

#include "bench/poll/bench_session.h"
#include "tessor/gui/modbus_test_dlg.h"
#include "test_support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kUsage =
    "usage: bench_poll_window [--seconds N]\n"
    "Tessor's window offscreen against a libmodbus server on 127.0.0.1: polling cycles per second\n"
    "with the window presenting them and without it, the refresh of a 125-register table, the\n"
    "time to the window, the resident memory. N from 1 to 10, default 2.\n"
    "  --help      this text\n"
    "  --version   the suite's version\n";

class CountingView : public tessor::PollingView {
 public:
  void pollStatus() override {}
  void stoppedPresentation() override {}
  void workerEnded() override {}
};

double coreRate(std::uint16_t port, int seconds) {
  bench::LoopbackSession loopback(2);
  if (!loopback.connect(port)) return 0;
  auto& session = loopback.session();
  CountingView view;
  tessor::PollingWorker worker(session, loopback.prompt(), view, tessor::systemPollClock());
  if (!worker.Start({})) return 0;
  const auto start = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const int cycles = session.snapshot().scanCount;
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  worker.Stop();
  worker.waitForWorker();
  session.Disconnect();
  return cycles / elapsed;
}

std::string config(std::uint16_t port) {
  return "[MODBUSTCPIP]\r\nIP Address0=127\r\nIP Address1=0\r\nIP Address2=0\r\nIP Address3=1\r\n"
         "Station=1\r\nRetry=0\r\nTimeOut=10\r\nPoill=0\r\nPort=" + std::to_string(port) +
         "\r\nScanAddress=127.0.0.1\r\n[DATAEXCHANGE]\r\nStart Address=R2000\r\nAddress Size=100\r\n"
         "Display Type=2\r\n[MONITOR]\r\nState Display Time=1\r\n";
}

long residentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto arguments = bench::benchArguments(argc, argv, "bench_poll_window", kUsage);
  if (arguments.exitStatus) return *arguments.exitStatus;
  const int seconds = arguments.seconds;
  const auto processStart = Clock::now();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  test_support::ChildProcess server(BENCH_BIN_DIR "/bench_modbus_server", {});
  const std::uint16_t port = bench::serverPort(server);
  if (port == 0) return 1;
  test_support::TempDir dir;
  std::ofstream(dir.path() / "Config.ini", std::ios::binary) << config(port);

  const auto windowStart = Clock::now();
  tessor::CModbusTestDlg window({dir.path() / "Config.ini", dir.path() / "Tessor.ini"},
                                tessor::linkedQuorra(), [] { return std::vector<platform::NetworkAdapter>{}; });
  window.show();
  QApplication::processEvents();
  const double toWindowMs = std::chrono::duration<double, std::milli>(Clock::now() - windowStart).count();
  const double fromStartMs = std::chrono::duration<double, std::milli>(Clock::now() - processStart).count();

  const double core = coreRate(port, seconds);

  auto* connect = window.findChild<QPushButton*>(QStringLiteral("connect"));
  connect->click();
  window.findChild<QPushButton*>(QStringLiteral("startStop"))->click();
  QElapsedTimer polling;
  polling.start();
  QEventLoop loop;  // serves the worker's calls as they come, as exec() would
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  loop.exec();
  const int cycles = window.session().snapshot().scanCount;
  const double withWindow = cycles / (polling.elapsed() / 1000.0);
  window.findChild<QPushButton*>(QStringLiteral("startStop"))->click();
  if (!QTest::qWaitFor([&] { return window.findChild<QPushButton*>(QStringLiteral("FC3"))->isEnabled(); }, 5000))
    return 1;

  window.findChild<QLineEdit*>(QStringLiteral("length"))->setText(QStringLiteral("125"));
  window.findChild<QPushButton*>(QStringLiteral("FC3"))->click();
  auto* grid = window.findChild<QTableView*>(QStringLiteral("grid"));
  constexpr int kRefreshes = 200;
  const auto refreshStart = Clock::now();
  for (int i = 0; i < kRefreshes; ++i) {
    window.refreshTable();
    grid->viewport()->repaint();
  }
  const double refreshMs =
      std::chrono::duration<double, std::milli>(Clock::now() - refreshStart).count() / kRefreshes;

  std::printf("FC3, 100 registers from R2000, polling time 0, %d s, libmodbus server on loopback\n", seconds);
  std::printf("  core alone             %10.1f cycles/s\n", core);
  std::printf("  window presenting      %10.1f cycles/s (%.1f %% of the core)\n", withWindow,
              core > 0 ? 100.0 * withWindow / core : 0.0);
  std::printf("  refresh, 125 registers %10.3f ms (table, model reset and repaint)\n", refreshMs);
  std::printf("  window shown after     %10.1f ms (construction to first paint; %.1f ms from main)\n",
              toWindowMs, fromStartMs);
  std::printf("  resident memory        %10.1f MB\n", residentKb() / 1024.0);
  window.findChild<QPushButton*>(QStringLiteral("connect"))->click();
  return 0;
}
