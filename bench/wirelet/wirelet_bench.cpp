// wirelet-bench: Order50 of 44 bytes and Order40 of 16 words against plc-sim
// pacing its bytes at 9600 baud 8N1, in milliseconds per order and as a
// ratio to the time the exchanged bytes need on the wire.
// usage: wirelet-bench [--count N]   (N orders of each kind, 1-200, default 20)
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "common/help_and_version.h"
#include "platform/program_dir.h"
#include "test_support/child_process.h"
#include "test_support/temp_dir.h"
#include "wirelet/wirelet.h"

namespace {

constexpr int kPort = 90;
constexpr int kBaud = 9600;
constexpr double kBitsPerByte = 10.0;  // 8N1
constexpr double kTimeBudgetSeconds = 120.0;

const char* const kUsage =
    "usage: wirelet-bench [--count N]\n"
    "Order50 (44 bytes) and Order40 (16 words) against plc-sim at 9600 baud 8N1, in milliseconds\n"
    "per order and against the time the bytes need on the wire.\n"
    "  --count N     orders of each kind, 1 to 200 (default 20)\n"
    "  --help        this text\n"
    "  --version     the suite's version\n";

// Bytes on the wire for one transaction: enquiry and its answer, the
// request, ACK and the reply, our ACK, the PLC's EOT, our EOT.
int wireBytes(int request, int reply) { return 3 + 3 + request + 1 + reply + 1 + 1 + 1; }

struct Figures {
  int done = 0, failed = 0;
  double totalMs = 0, minMs = 1e9, maxMs = 0;
};

template <typename Order>
Figures measure(int count, Order order, double& budgetLeft) {
  Figures f;
  for (int i = 0; i < count && budgetLeft > 0; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const OrderResult result = order();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    budgetLeft -= ms / 1000.0;
    ++f.done;
    if (result != 6) ++f.failed;
    f.totalMs += ms;
    f.minMs = std::min(f.minMs, ms);
    f.maxMs = std::max(f.maxMs, ms);
  }
  return f;
}

void report(const char* name, const Figures& f, int bytes) {
  const double floorMs = bytes * kBitsPerByte * 1000.0 / kBaud;
  const double mean = f.done ? f.totalMs / f.done : 0;
  std::printf("%-22s %3d orders (%d failed)  mean %7.1f ms  min %7.1f  max %7.1f  "
              "wire floor %5.1f ms (%d bytes)  ratio %.2f\n",
              name, f.done, f.failed, mean, f.minMs, f.maxMs, floorMs, bytes, mean / floorMs);
}

int parseCount(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--count") == 0) {
    const int n = std::atoi(argv[2]);
    if (n >= 1 && n <= 200) return n;
  } else if (argc == 1) {
    return 20;
  }
  std::fputs(kUsage, stderr);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto answered = trax::answerHelpOrVersion(argc, argv, "wirelet-bench", kUsage)) return *answered;
  const int count = parseCount(argc, argv);
  if (count == 0) return 2;
  test_support::TempDir dir;
  const auto scenario = dir.path() / "plc.json";
  // A slot table with Ethernet modules in every other slot, and one module's word area.
  std::string slots;
  for (int i = 0; i < 44; ++i) slots += i % 2 ? "12 " : "00 ";
  std::ofstream(scenario) << R"({"bytes": [{"address": 355, "hex": ")" << slots << R"("}],
    "words": [{"address": 16064, "data": [0, 1, 1, 168, 192, 0, 255, 255, 255, 9, 1, 168, 192, 1, 160, 0]}]})";
  const std::string sim = (platform::programDirectory() / "plc-sim").string();
  test_support::ChildProcess plc(sim, {"--baud", std::to_string(kBaud), "--scenario", scenario.string()});
  const auto path = plc.waitForLine("pty: ");
  if (!path) {
    std::fprintf(stderr, "wirelet-bench: %s did not start\n", sim.c_str());
    return 1;
  }
  ::setenv(("TRAX_COM" + std::to_string(kPort)).c_str(), path->c_str(), 1);
  const int handle = OpenCom(0, kPort, kBaud, 8, 1, 0);
  if (!handle) {
    std::fprintf(stderr, "wirelet-bench: cannot open %s\n", path->c_str());
    return 1;
  }
  std::vector<unsigned char> reply(1024);
  double budget = kTimeBudgetSeconds;
  Order50(handle, 355, 44, reply.data());  // warm-up
  std::printf("plc-sim on %s at %d baud 8N1\n", path->c_str(), kBaud);
  report("Order50 (44 bytes)", measure(count, [&] { return Order50(handle, 355, 44, reply.data()); }, budget),
         wireBytes(9, 44 + 6));
  report("Order40 (16 words)", measure(count, [&] { return Order40(handle, 16064, 16, reply.data()); }, budget),
         wireBytes(8, 2 * 16 + 8));
  CloseCom(handle);
  return 0;
}
