// trax-sim: simulated TRAX modules behind one UDP port, for tests, demos and
// training. Also writes firmware image files (make-image).
#include <csignal>
#include <cstdio>
#include <exception>
#include <mutex>
#include <thread>

#include "datagram_loop.h"
#include "image_maker.h"
#include "options.h"

namespace {

std::atomic<bool> gStop{false};

void onSignal(int) { gStop.store(true); }

platform::UdpSocket bindSocket(const platform::Endpoint& at, const char* what) {
  platform::UdpSocket socket;
  if (!socket.open() || !socket.bind(at))
    throw std::runtime_error(std::string("cannot bind the ") + what + " to " + at.text() + " (error " +
                             std::to_string(socket.lastError()) + ")");
  return socket;
}

int runSimulator(const trax_sim::Options& options) {
  using namespace trax_sim;
  const platform::Endpoint scanAt = scanEndpoint(options);
  if (!options.allowNonLoopback && (!isLoopback(options.listen) || (options.scanEnabled && !isLoopback(scanAt))))
    throw std::runtime_error("refusing to bind outside 127.0.0.0/8 without --allow-non-loopback");
  Simulator simulator(buildModules(options));
  if (simulator.modules().empty()) std::fprintf(stderr, "trax-sim: no modules: every request stays unanswered\n");
  simulator.setNoteSink([](const std::string& text) { std::fprintf(stderr, "trax-sim: %s\n", text.c_str()); });
  simulator.setDumpDirectory(options.dumpDir);

  platform::UdpSocket moduleSocket = bindSocket(options.listen, "module port");
  platform::UdpSocket scanSocket;
  if (options.scanEnabled) {
    try {
      scanSocket = bindSocket(scanAt, "scan port");
    } catch (const std::exception& e) {
      // The default scan port is a convenience; only an explicit one must work.
      if (options.scanListen) throw;
      std::fprintf(stderr, "trax-sim: %s; the module scan is not answered\n", e.what());
    }
  }

  LinePrinter printer;
  printer.print("listening " + moduleSocket.localEndpoint()->text());
  if (scanSocket.isOpen()) printer.print("scan-listening " + scanSocket.localEndpoint()->text());

  std::signal(SIGTERM, onSignal);
  std::signal(SIGINT, onSignal);
  const auto start = std::chrono::steady_clock::now();
  const DatagramLoop::Clock clock = [start] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  };
  std::mutex simulatorMutex;  // guards `simulator` between the two loops
  LinePrinter* logTo = options.log ? &printer : nullptr;
  DatagramLoop moduleLoop(
      std::move(moduleSocket),
      [&](std::span<const std::uint8_t> d, std::int64_t now) {
        std::lock_guard lock(simulatorMutex);
        return simulator.handleDatagram(d, now);
      },
      clock, {logTo, "rx", "tx", options.logReplies});
  std::thread scanThread;
  if (scanSocket.isOpen()) {
    scanThread = std::thread([&, socket = std::move(scanSocket)]() mutable {
      DatagramLoop scanLoop(
          std::move(socket),
          [&](std::span<const std::uint8_t> d, std::int64_t now) {
            std::lock_guard lock(simulatorMutex);
            return simulator.handleScan(d, now);
          },
          clock, {logTo, "scan-rx", "scan-tx", options.logReplies});
      scanLoop.run(gStop);
    });
  }
  moduleLoop.run(gStop);
  if (scanThread.joinable()) scanThread.join();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "make-image") return trax_sim::runMakeImage({args.begin() + 1, args.end()});
  try {
    const auto options = trax_sim::parseOptions(args);
    if (options.help) {
      std::fputs(trax_sim::kUsage, stdout);
      return 0;
    }
    return runSimulator(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "trax-sim: %s\n", e.what());
    return 2;
  }
}
