#pragma once
// What tessor-cli takes from Tessor's settings file Config.ini: the connection
// of section "MODBUSTCPIP" and the scan's destination.
#include <filesystem>

#include "platform/udp_socket.h"
#include "tessor/cli/cli_options.h"

namespace tessor::cli {

struct CliConfig {
  Connection connection;
  platform::Endpoint scanDestination{0xFFFFFFFFu, 28784};
};

// Config.ini beside the program.
std::filesystem::path defaultConfigFile();

// Keys read as the window reads them (LoadSettings, LoadNetworkSettings): an IP
// address byte of 255 (or absent) leaves no address. A missing file gives
// every default.
CliConfig loadCliConfig(const std::filesystem::path& file);

}  // namespace tessor::cli
