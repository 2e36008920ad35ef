// plc-sim: a PLC on a pseudo-terminal speaking the serial order protocol.
#include <chrono>
#include <cstdio>
#include <thread>

#include "common/help_and_version.h"
#include "sim/plc_sim/link_session.h"
#include "sim/plc_sim/pseudo_terminal.h"
#include "sim/plc_sim/scenario.h"
#include "sim/plc_sim/sim_options.h"

namespace {

void printLine(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

int serve(plc_sim::PseudoTerminal& line, plc_sim::LinkSession& session, const plc_sim::SimOptions& o) {
  plc_sim::LinePacer pacer(o.baud);
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    const auto received = line.read();
    if (received.empty()) {
      std::fprintf(stderr, "plc-sim: the terminal failed\n");
      return 1;
    }
    const auto arrivedMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (o.log) printLine("rx: " + plc_sim::hexBytes(received));
    pacer.awaitReceived(received.size());
    for (const auto& send : session.receive(received, arrivedMs)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(send.delayMs));
      if (!pacer.send(line, send.bytes)) return 1;
      if (o.log) printLine("tx: " + plc_sim::hexBytes(send.bytes));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = plc_sim::parseOptions({argv + 1, argv + argc});
  if (!parsed.options) {
    std::fprintf(stderr, "plc-sim: %s\n%s", parsed.error.c_str(), plc_sim::kUsage);
    return 2;
  }
  const plc_sim::SimOptions& options = *parsed.options;
  if (options.help) {
    std::printf("%s", plc_sim::kUsage);
    return 0;
  }
  if (options.version) {
    trax::printVersion("plc-sim");
    return 0;
  }
  plc_sim::PlcMemory memory;
  plc_sim::PlcModel model;
  if (!options.scenarioPath.empty()) {
    if (const auto error = plc_sim::loadScenario(options.scenarioPath, memory, model)) {
      std::fprintf(stderr, "plc-sim: %s: %s\n", options.scenarioPath.c_str(), error->c_str());
      return 2;
    }
  }
  plc_sim::PseudoTerminal line;
  if (const std::string error = line.open(); !error.empty()) {
    std::fprintf(stderr, "plc-sim: %s\n", error.c_str());
    return 1;
  }
  plc_sim::LinkSession::Log log;
  if (options.log) log = printLine;
  plc_sim::LinkSession session(memory, options.faults, options.nakGapMs, &model, log);
  printLine("pty: " + line.slavePath());
  return serve(line, session, options);
}
