// scan: the module scan of the IP address dialog ("刷新IP列表"): one datagram,
// then every answer until none comes for a while.
#include <array>
#include <chrono>
#include <nlohmann/json.hpp>
#include <ostream>

#include "platform/udp_socket.h"
#include "tessor/cli/commands.h"

namespace tessor::cli {

namespace {

// "HAP" 01 00 A5 "P" 01 00 05; of an answer only byte 22 is used, the last byte
// of the module's address.
constexpr std::array<std::uint8_t, 10> kScanRequest = {0x48, 0x41, 0x50, 0x01, 0x00,
                                                       0xA5, 0x50, 0x01, 0x00, 0x05};
constexpr std::size_t kAddressByte = 22;
constexpr int kCollectMs = 1000;

// The dialog's row: the network part is always 192.168.10, the port 502.
std::string rowAddress(std::uint8_t lastByte) { return "192.168.10." + std::to_string(lastByte); }
constexpr int kRowPort = 502;

}  // namespace

int runScan(const CliConfig& config, const Arguments& arguments, Streams streams) {
  const auto args = splitArguments(arguments, {"--target"}, {"--json"});
  if (!args.error.empty() || !args.positional.empty()) {
    streams.err << "tessor-cli: " << (args.error.empty() ? "多余的参数: " + args.positional[0] : args.error) << '\n';
    return kExitUsage;
  }
  platform::Endpoint target = config.scanDestination;
  if (const auto it = args.options.find("--target"); it != args.options.end()) {
    const auto parsed = platform::parseEndpoint(it->second);
    if (!parsed || parsed->port == 0) {
      streams.err << "tessor-cli: 无效的目标地址: " << it->second << " (应为 主机:端口)\n";
      return kExitUsage;
    }
    target = *parsed;
  }
  platform::UdpSocket socket;
  if (!socket.open() || !socket.setBroadcast(true) || !socket.setReceiveTimeout(kCollectMs)) {
    streams.err << "tessor-cli: setsockopt error " << socket.lastError() << '\n';
    return kExitFailure;
  }
  if (!socket.sendTo(target, kScanRequest.data(), kScanRequest.size())) {
    streams.err << "tessor-cli: Error Code " << socket.lastError() << '\n';
    return kExitFailure;
  }
  nlohmann::json rows = nlohmann::json::array();
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kCollectMs);
  std::array<std::uint8_t, 1024> reply{};
  while (std::chrono::steady_clock::now() < end) {
    const int size = socket.receive(reply.data(), reply.size());
    if (size < 0 && socket.lastReceiveTimedOut()) break;
    if (size <= static_cast<int>(kAddressByte)) continue;  // carries no address byte
    const std::string address = rowAddress(reply[kAddressByte]);
    if (args.options.contains("--json"))
      rows.push_back({{"address", address}, {"port", kRowPort}});
    else
      streams.out << address << ' ' << kRowPort << '\n';
  }
  if (args.options.contains("--json")) streams.out << rows.dump() << '\n';
  return kExitOk;
}

}  // namespace tessor::cli
