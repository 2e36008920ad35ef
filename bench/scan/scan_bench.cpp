// Scans of 1, 16 and 256 simulated modules on loopback, through the editor's
// own scan (background operation 1). Prints milliseconds per scan and the
// ratio to the floor: the 100 ms that ends the discovery plus the scan's
// exchanges times the loopback round trip measured in the same run.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "common/help_and_version.h"
#include "orvane/cli/cli_ports.h"
#include "orvane/protocol/orvane_view_core.h"
#include "test_support/child_process.h"
#include "test_support/program_directory.h"
#include "test_support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kUsage =
    "usage: bench_scan\n"
    "Scans 1, 16 and 256 modules of trax-sim on 127.0.0.1 through the editor's scan and prints\n"
    "the milliseconds per scan against the floor the loopback round trip sets.\n"
    "  --help      this text\n"
    "  --version   the suite's version\n";

constexpr int kScansPerSize = 5;
constexpr int kRoundTrips = 200;
const std::string kSim = TRAX_BIN_DIR "/trax-sim";

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The editor's core pointed at the simulator's port, with a firmware image
// that matches the generated modules, so each module costs two exchanges.
struct Editor {
  explicit Editor(const std::filesystem::path& dir, const platform::Endpoint& sim)
      : prompt(std::cerr), core(ui, prompt, transport, orvane::ConfigStore(dir / "Lumen_.ini")) {
    ui.attach(core.status());
    core.loadSettings();
    core.setDestination(sim);
  }
  orvane::UdpTransport transport;
  orvane::cli::CliUiPort ui;
  orvane::cli::CliPrompt prompt;
  orvane::OrvaneViewCore core;
};

double roundTripMs(Editor& editor, const orvane::MacAddress& mac) {
  orvane::ModuleVersionInfo versions;
  const auto start = Clock::now();
  for (int i = 0; i < kRoundTrips; ++i) editor.core.link().readSystemInfo(mac, versions);
  return millisecondsSince(start) / kRoundTrips;
}

void benchSize(int modules) {
  test_support::TempDir dir;
  test_support::makeProgramDirectory(kSim, dir.path());

  test_support::ChildProcess sim(kSim, {"--listen", "127.0.0.1:0", "--no-scan", "--modules",
                                        std::to_string(modules)});
  const auto listening = sim.waitForLine("listening ");
  const auto endpoint = listening ? platform::parseEndpoint(*listening) : std::nullopt;
  if (!endpoint) {
    std::printf("%4d modules: trax-sim did not start\n", modules);
    return;
  }
  Editor editor(dir.path(), *endpoint);

  double total = 0;
  int found = 0;
  for (int i = 0; i < kScansPerSize; ++i) {
    const auto start = Clock::now();
    editor.core.runOperation(orvane::kOperationScan, 0);
    total += millisecondsSince(start);
    found = editor.core.table().count();
  }
  const double perScan = total / kScansPerSize;
  const double rtt = found > 0 ? roundTripMs(editor, editor.core.table().snapshot()[0].mac) : 0;
  const int exchanges = 2 * found;  // ReadSystemInfo and ReadBasicSettings per module
  const double floor = 100.0 + exchanges * rtt;
  std::printf("%4d modules: found %3d, %8.1f ms per scan, round trip %.3f ms, floor %7.1f ms, "
              "ratio %.2f\n",
              modules, found, perScan, rtt, floor, perScan / floor);
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto answered = trax::answerHelpOrVersion(argc, argv, "bench_scan", kUsage)) return *answered;
  if (argc > 1) {
    std::fprintf(stderr, "bench_scan: unknown option %s\n%s", argv[1], kUsage);
    return 2;
  }
  std::printf("scan benchmark: %d scans per size, trax-sim on 127.0.0.1\n", kScansPerSize);
  for (int modules : {1, 16, 256}) benchSize(modules);
  return 0;
}
