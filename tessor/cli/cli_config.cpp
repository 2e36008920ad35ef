#include "tessor/cli/cli_config.h"

#include "platform/program_dir.h"
#include "tessor/core/tessor_settings.h"

namespace tessor::cli {

std::filesystem::path defaultConfigFile() { return platform::programDirectory() / "Config.ini"; }

CliConfig loadCliConfig(const std::filesystem::path& file) {
  // The window's reading: it stops at the first missing essential value, and
  // what it read before stays. The window's own defaults (192.168.10.96,
  // station 1, ...) are not applied: a script names its server or gets none.
  TessorSettings settings;
  LoadSettings(file, settings);
  const NetworkSettings network = LoadNetworkSettings(file);
  CliConfig config;
  Connection& c = config.connection;
  c.ip = settings.ip;
  c.station = settings.station;
  c.retries = settings.retries;
  c.timeout = settings.timeout;
  c.polling = settings.polling;
  c.port = network.modbusPort;
  config.scanDestination = network.scanDestination;
  return config;
}

}  // namespace tessor::cli
