// scan: the module scan of the IP address dialog ("刷新IP列表"), its rows printed.
#include <nlohmann/json.hpp>
#include <ostream>

#include "platform/udp_socket.h"
#include "tessor/cli/commands.h"
#include "tessor/core/module_scan.h"

namespace tessor::cli {

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
  const ScanOutcome outcome = runModuleScan(target);
  nlohmann::json rows = nlohmann::json::array();
  for (const std::string& address : outcome.rowAddresses) {
    if (args.options.contains("--json"))
      rows.push_back({{"address", address}, {"port", std::stoi(kScanRowPort)}});
    else
      streams.out << address << ' ' << kScanRowPort << '\n';
  }
  if (args.options.contains("--json")) streams.out << rows.dump() << '\n';
  if (outcome.failure) {
    streams.err << "tessor-cli: " << *outcome.failure << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace tessor::cli
