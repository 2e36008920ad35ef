// trax-sim: simulated TRAX modules behind one UDP port, for tests, demos and
// training. Also writes firmware image files (make-image).
#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "common/help_and_version.h"
#include "datagram_loop.h"
#include "image_maker.h"
#include "modbus_server.h"
#include "options.h"

namespace {

using namespace trax_sim;

std::atomic<bool> gStop{false};

void onSignal(int) { gStop.store(true); }

platform::UdpSocket bindSocket(const platform::Endpoint& at, const char* what) {
  platform::UdpSocket socket;
  if (!socket.open() || !socket.bind(at))
    throw std::runtime_error(std::string("cannot bind the ") + what + " to " + at.text() + " (error " +
                             std::to_string(socket.lastError()) + ": " +
                             std::system_category().message(socket.lastError()) + ")");
  return socket;
}

struct Ports {
  platform::UdpSocket module;
  platform::UdpSocket scan;  // closed when the scan is not answered
};

Ports openPorts(const Options& options) {
  const platform::Endpoint scanAt = scanEndpoint(options);
  if (!options.allowNonLoopback && (!isLoopback(options.listen) || (options.scanEnabled && !isLoopback(scanAt))))
    throw std::runtime_error("refusing to bind outside 127.0.0.0/8 without --allow-non-loopback");
  Ports ports;
  ports.module = bindSocket(options.listen, "module port");
  if (!options.scanEnabled) return ports;
  try {
    ports.scan = bindSocket(scanAt, "scan port");
  } catch (const std::exception& e) {
    // The default scan port is a convenience; only an explicit one must work.
    if (options.scanListen) throw;
    std::fprintf(stderr, "trax-sim: %s; the module scan is not answered\n", e.what());
  }
  return ports;
}

DatagramLoop::Clock runClock() {
  const auto start = std::chrono::steady_clock::now();
  return [start] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  };
}

// Every module with a "modbus" object gets its listening socket; the bound port
// goes back into the module, where the scan reply reports it. Like the scan
// port, a port-0 --listen (tests side by side) gives every module a free port,
// unless the scenario's ports are to be kept (the demo).
void openModbus(Simulator& simulator, ModbusServer& server, const Options& options) {
  auto& modules = simulator.modules();
  for (std::size_t i = 0; i < modules.size(); ++i) {
    auto& service = modules[i].modbus;
    if (!service) continue;
    const platform::Endpoint at{static_cast<std::uint32_t>(service->address[0] << 24 | service->address[1] << 16 |
                                                           service->address[2] << 8 | service->address[3]),
                                options.listen.port == 0 && !options.keepModbusPorts ? std::uint16_t{0} : service->port};
    service->port = server.listen(at, i).port;
  }
}

void printReadyLines(LinePrinter& printer, const Ports& ports, Simulator& simulator) {
  printer.print("listening " + ports.module.localEndpoint()->text());
  if (ports.scan.isOpen()) printer.print("scan-listening " + ports.scan.localEndpoint()->text());
  for (const auto& m : simulator.modules()) {
    if (!m.modbus) continue;
    const auto& a = m.modbus->address;
    printer.print("modbus-listening " + std::to_string(a[0]) + "." + std::to_string(a[1]) + "." +
                  std::to_string(a[2]) + "." + std::to_string(a[3]) + ":" + std::to_string(m.modbus->port) + " " +
                  macText(m.mac));
  }
}

// The UDP ports and the Modbus server share the simulator; each runs on a thread of its own.
void runLoops(Simulator& simulator, std::mutex& simulatorMutex, Ports ports, ModbusServer& modbus,
              const Options& options, LinePrinter& printer, const DatagramLoop::Clock& clock) {
  LinePrinter* logTo = options.log ? &printer : nullptr;
  using Handle = std::vector<Outgoing> (Simulator::*)(std::span<const std::uint8_t>, std::int64_t);
  auto handlerFor = [&](Handle handle) {
    return [&, handle](std::span<const std::uint8_t> d, std::int64_t now) {
      std::lock_guard lock(simulatorMutex);
      return (simulator.*handle)(d, now);
    };
  };
  DatagramLoop moduleLoop(std::move(ports.module), handlerFor(&Simulator::handleDatagram), clock,
                          {logTo, "rx", "tx", options.logReplies});
  std::thread scanThread;
  if (ports.scan.isOpen()) {
    scanThread = std::thread([&, loop = DatagramLoop(std::move(ports.scan), handlerFor(&Simulator::handleScan), clock,
                                                     {logTo, "scan-rx", "scan-tx", options.logReplies})]() mutable {
      loop.run(gStop);
    });
  }
  std::thread modbusThread;
  if (modbus.serves()) modbusThread = std::thread([&] { modbus.run(gStop); });
  moduleLoop.run(gStop);
  if (scanThread.joinable()) scanThread.join();
  if (modbusThread.joinable()) modbusThread.join();
}

int runSimulator(const Options& options) {
  Simulator simulator(buildModules(options));
  if (simulator.modules().empty()) std::fprintf(stderr, "trax-sim: no modules: every request stays unanswered\n");
  simulator.setNoteSink([](const std::string& text) { std::fprintf(stderr, "trax-sim: %s\n", text.c_str()); });
  simulator.setDumpDirectory(options.dumpDir);
  Ports ports = openPorts(options);
  const auto clock = runClock();
  std::mutex simulatorMutex;  // guards `simulator` between the threads
  LinePrinter printer;
  ModbusServer modbus(
      [&](std::size_t module, std::span<const std::uint8_t> adu, std::int64_t now) {
        std::lock_guard lock(simulatorMutex);
        return simulator.handleModbus(module, adu, now);
      },
      clock, options.log ? &printer : nullptr, options.logReplies);
  openModbus(simulator, modbus, options);
  std::signal(SIGTERM, onSignal);
  std::signal(SIGINT, onSignal);

  printReadyLines(printer, ports, simulator);
  runLoops(simulator, simulatorMutex, std::move(ports), modbus, options, printer, clock);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "make-image") return runMakeImage({args.begin() + 1, args.end()});
  try {
    const auto options = parseOptions(args);
    if (options.help) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (options.version) {
      trax::printVersion("trax-sim");
      return 0;
    }
    return runSimulator(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "trax-sim: %s\n", e.what());
    return 2;
  }
}
