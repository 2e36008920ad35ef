#include "cli_session.h"

#include "platform/settings_location.h"
#include "platform/whole_file.h"

namespace orvane::cli {

// The editor reads a settings file it cannot open as empty; here that would
// send to the default broadcast address instead of the one the file names.
std::optional<ConfigStore> cliConfig(const GlobalOptions& options, std::ostream& err) {
  auto config = options.config ? ConfigStore(*options.config) : ConfigStore::inProgramDirectory();
  if (config.copyMadeNow()) err << "orvane-cli: " << platform::settingsCopyNotice(config.file()) << '\n';
  const auto contents = platform::readRegularFile(config.file());
  using Status = platform::FileContents::Status;
  if (contents.status == Status::Read || (contents.status == Status::Missing && !options.config))
    return config;
  if (contents.status == Status::Missing) {
    err << "orvane-cli: 配置文件不存在: " << config.file().string() << '\n';
  } else {
    err << "orvane-cli: 无法读取配置文件: " << config.file().string() << ": "
        << (contents.status == Status::NotRegular ? "不是普通文件" : contents.error.message()) << '\n';
  }
  return std::nullopt;
}

void prepareNetworkCore(OrvaneViewCore& core, const GlobalOptions& options) {
  core.loadSettings();
  core.overrideProtocolType(kProtocolTcpIp);
  if (options.target) core.setDestination(*options.target);
  if (!options.interfaces.empty()) core.link().setInterfaceFilter(options.interfaces);
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
