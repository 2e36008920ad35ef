// orvane-cli apply with the batch scenario's file on its forty simulated
// modules: the dry run, the run that configures them all, and the run that
// finds nothing left to change, each through the program's own code on a
// fresh trax-sim on 127.0.0.1. The wait after each basic settings write is
// left out (--wait 0); the editor's 3000 ms add two minutes for forty.
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "common/help_and_version.h"
#include "orvane/cli/subcommands.h"
#include "test_support/child_process.h"
#include "test_support/program_directory.h"
#include "test_support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kUsage =
    "usage: bench_apply\n"
    "Runs orvane-cli apply with the forty-module batch file on trax-sim on 127.0.0.1 and prints\n"
    "the milliseconds of a dry run, of the run that configures every module and of a repeat.\n"
    "  --help      this text\n"
    "  --version   the suite's version\n";

const std::string kSim = TRAX_BIN_DIR "/trax-sim";
const std::string kScenarios = TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/";
constexpr int kModules = 40;

void runOnce(const std::string& label, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const auto start = Clock::now();
  const int status = orvane::cli::runCli(args, {out, err});
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  const auto summary = out.str().substr(out.str().rfind("共 "));
  std::printf("%-10s exit %d, %7.1f ms, %5.2f ms per module: %s", label.c_str(), status, ms,
              ms / kModules, summary.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto answered = trax::answerHelpOrVersion(argc, argv, "bench_apply", kUsage)) return *answered;
  if (argc > 1) {
    std::fprintf(stderr, "bench_apply: unknown option %s\n%s", argv[1], kUsage);
    return 2;
  }
  test_support::TempDir dir;
  const auto ini = test_support::makeProgramDirectory(kSim, dir.path(), "BroadcastAddress=127.0.0.1\r\n");

  test_support::ChildProcess sim(kSim, {"--listen", "127.0.0.1:0", "--no-scan", "--scenario",
                                        kScenarios + "batch40.json"});
  const auto port = sim.waitForLine("listening 127.0.0.1:");
  if (!port) {
    std::printf("trax-sim did not start\n");
    return 1;
  }
  const std::vector<std::string> global{"--target", "127.0.0.1:" + *port, "--config", ini.string(), "apply",
                                        kScenarios + "batch40.csv"};
  std::printf("apply benchmark: %d modules of trax-sim on 127.0.0.1, --wait 0\n", kModules);
  auto with = [&](std::vector<std::string> extra) {
    auto args = global;
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  };
  runOnce("dry run", with({"--dry-run"}));
  runOnce("apply", with({"--yes", "--wait", "0"}));
  runOnce("repeat", with({"--yes", "--wait", "0"}));
  return 0;
}
