// Cycles per second of Tessor's polling worker (FC3 of 100 registers from R2000,
// polling time 0) against the pymodbus peer and a libmodbus server, printed
// beside `tessor-cli poll` and mbpoll against the same servers and beside the
// ceiling that the two 1 ms sleeps of each cycle set.
//   bench_poll [--seconds N]   N from 1 to 10, default 2
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "bench/poll/bench_session.h"
#include "tessor/core/polling_worker.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kMaxCycles = 1000000;

const char* const kUsage =
    "usage: bench_poll [--seconds N]\n"
    "Cycles per second of Tessor's polling worker (FC3, 100 registers) against a pymodbus and a\n"
    "libmodbus server on 127.0.0.1, beside tessor-cli poll and mbpoll against the same servers.\n"
    "  --seconds N   seconds per run, 1 to 10 (default 2)\n"
    "  --help        this text\n"
    "  --version     the suite's version\n";

// Stops the worker when the time is up or the cycle limit is reached.
class DeadlineView : public tessor::PollingView {
 public:
  DeadlineView(Clock::time_point end) : end_(end) {}
  void pollStatus() override {
    if (++cycles >= kMaxCycles || Clock::now() >= end_) worker->Stop();
  }
  void stoppedPresentation() override {}
  void workerEnded() override {}
  tessor::PollingWorker* worker = nullptr;
  int cycles = 0;

 private:
  Clock::time_point end_;
};

double tessorRate(std::uint16_t port, int seconds) {
  bench::LoopbackSession loopback(1);
  if (!loopback.connect(port)) return 0;
  auto& session = loopback.session();
  const auto start = Clock::now();
  DeadlineView view(start + std::chrono::seconds(seconds));
  tessor::PollingWorker worker(session, loopback.prompt(), view, tessor::systemPollClock());
  view.worker = &worker;
  tessor::PollingSettings settings;
  settings.functionCode = 3;
  if (!worker.Start(settings)) return 0;
  worker.waitForWorker();
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  session.Disconnect();
  return view.cycles / elapsed;
}

double mbpollRate(std::uint16_t port, int seconds) {
  const std::string command = "timeout " + std::to_string(seconds) +
                              " mbpoll -m tcp -a 1 -r 1025 -c 100 -t 4 -l 11 -p " +
                              std::to_string(port) + " 127.0.0.1 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  if (!pipe) return 0;
  int polls = 0;
  char line[512];
  while (std::fgets(line, sizeof line, pipe.get()))
    polls += std::strncmp(line, "-- Polling slave", 16) == 0;
  return static_cast<double>(polls) / seconds;
}

// tessor-cli poll for as many cycles as the core managed in the same time, so
// both runs do the same work; its own start and connection are counted too.
double cliRate(std::uint16_t port, double coreRate, int seconds) {
  const long cycles = std::max(1L, static_cast<long>(coreRate * seconds));
  const std::string command = BENCH_BIN_DIR "/tessor-cli --config /nonexistent/Config.ini --host 127.0.0.1 --port " +
                              std::to_string(port) + " --timeout 10 poll R2000 100 --interval 0 --csv --cycles " +
                              std::to_string(cycles) + " 2>/dev/null";
  const auto start = Clock::now();
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  if (!pipe) return 0;
  long rows = -1;  // the header
  char line[4096];
  while (std::fgets(line, sizeof line, pipe.get()))
    if (std::strchr(line, '\n')) ++rows;
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  return rows > 0 ? rows / elapsed : 0;
}

double sleepCeiling() {
  auto& clock = tessor::systemPollClock();
  const auto start = Clock::now();
  constexpr int kCycles = 200;
  for (int i = 0; i < kCycles; ++i) {
    clock.sleepMs(1);
    clock.sleepMs(1);
  }
  return kCycles / std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const auto arguments = bench::benchArguments(argc, argv, "bench_poll", kUsage);
  if (arguments.exitStatus) return *arguments.exitStatus;
  const int seconds = arguments.seconds;
  std::printf("FC3, 100 registers from R2000, polling time 0, %d s per run (cycles/s)\n", seconds);
  std::printf("%-12s %12s %12s %12s\n", "server", "tessor", "tessor-cli", "mbpoll -l 11");
  test_support::ChildProcess pymodbus("/usr/bin/python3", {TESSOR_PEER});
  test_support::ChildProcess libmodbus(BENCH_BIN_DIR "/bench_modbus_server", {});
  const std::pair<const char*, test_support::ChildProcess*> servers[] = {{"pymodbus", &pymodbus},
                                                                         {"libmodbus", &libmodbus}};
  for (const auto& [name, server] : servers) {
    const std::uint16_t port = bench::serverPort(*server);
    if (port == 0) {
      std::printf("%-12s did not start\n", name);
      continue;
    }
    const double tessor = tessorRate(port, seconds);
    const double cli = cliRate(port, tessor, seconds);
    const double mbpoll = mbpollRate(port, seconds);
    std::printf("%-12s %12.1f %12.1f %12.1f\n", name, tessor, cli, mbpoll);
  }
  std::printf("%-12s %12.1f   (two 1 ms sleeps per cycle; 500 in theory)\n", "ceiling", sleepCeiling());
  return 0;
}
