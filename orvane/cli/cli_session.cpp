#include "cli_session.h"

#include <filesystem>

namespace orvane::cli {

std::optional<ConfigStore> cliConfig(const GlobalOptions& options, std::ostream& err) {
  if (!options.config) return ConfigStore::inProgramDirectory();
  if (!std::filesystem::is_regular_file(*options.config)) {
    err << "orvane-cli: 配置文件不存在: " << options.config->string() << '\n';
    return std::nullopt;
  }
  return ConfigStore(*options.config);
}

void prepareNetworkCore(OrvaneViewCore& core, const GlobalOptions& options) {
  core.loadSettings();
  core.overrideProtocolType(kProtocolTcpIp);
  if (options.target) core.setDestination(*options.target);
}

bool scanModules(OrvaneViewCore& core, std::ostream& err) {
  core.startInitialScan();
  core.worker().end(BackgroundOperation::kNoLimit);
  const auto discovery = core.lastDiscovery();
  if (discovery.status == DiscoveryStatus::StartupFailed ||
      discovery.status == DiscoveryStatus::SocketFailed) {
    err << discovery.failureText << '\n';
    return false;
  }
  return true;
}

}  // namespace orvane::cli
