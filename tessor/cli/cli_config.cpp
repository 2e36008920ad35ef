#include "tessor/cli/cli_config.h"

#include "platform/ini_file.h"
#include "platform/program_dir.h"

namespace tessor::cli {

namespace {
constexpr const char* kSection = "MODBUSTCPIP";
}

std::filesystem::path defaultConfigFile() { return platform::programDirectory() / "Config.ini"; }

CliConfig loadCliConfig(const std::filesystem::path& file) {
  CliConfig config;
  Connection& c = config.connection;
  std::array<std::uint8_t, 4> ip{};
  bool complete = true;
  for (std::size_t i = 0; i < ip.size(); ++i) {
    const std::string key = "IP Address" + std::to_string(i);
    const int value = platform::readProfileInt(file, kSection, key, 255);
    complete = complete && value != 255;
    ip[i] = static_cast<std::uint8_t>(value);
  }
  if (complete) c.ip = ip;
  c.station = platform::readProfileInt(file, kSection, "Station", 0);
  c.retries = platform::readProfileInt(file, kSection, "Retry", 0);
  c.timeout = platform::readProfileInt(file, kSection, "TimeOut", 30);
  c.polling = platform::readProfileInt(file, kSection, "Poill", 0);
  c.port = static_cast<std::uint16_t>(platform::readProfileInt(file, kSection, "Port", 502));
  const std::string scanAddress =
      platform::readProfileString(file, kSection, "ScanAddress", "255.255.255.255");
  if (const auto address = platform::parseIpv4(scanAddress)) config.scanDestination.address = *address;
  config.scanDestination.port =
      static_cast<std::uint16_t>(platform::readProfileInt(file, kSection, "ScanPort", 28784));
  return config;
}

}  // namespace tessor::cli
