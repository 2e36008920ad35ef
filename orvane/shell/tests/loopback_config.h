#pragma once
// A Lumen_.ini for tests: every request of the editor goes to a port on
// 127.0.0.1, never to the broadcast address.
#include <cstdint>
#include <filesystem>

#include "orvane/protocol/config_store.h"

namespace orvane::shell_tests {

// Port 9 on loopback has no listener: requests there fail at once.
inline ConfigStore loopbackConfig(const std::filesystem::path& dir, std::uint16_t port = 9) {
  ConfigStore config(dir / "Lumen_.ini");
  config.writeText("BroadcastAddress", "127.0.0.1");
  config.writeInt("BroadcastPort", port);
  return config;
}

}  // namespace orvane::shell_tests
