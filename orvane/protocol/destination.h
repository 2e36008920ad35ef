#pragma once
// Where module requests go: "BroadcastAddress":"BroadcastPort" of Lumen_.ini
// section "App", 255.255.255.255:58580 when absent. Tests, demos and
// benchmarks point it at loopback; orvane-cli's --target overrides it.
#include <cstdint>

#include "orvane/protocol/config_store.h"
#include "platform/udp_socket.h"

namespace orvane {

inline constexpr std::uint32_t kDefaultBroadcastAddress = 0xFFFFFFFF;
inline constexpr std::uint16_t kDefaultBroadcastPort = 58580;

inline constexpr platform::Endpoint defaultDestination() {
  return {kDefaultBroadcastAddress, kDefaultBroadcastPort};
}

// An address that is not a dotted IPv4 address, or a port outside 1-65535,
// falls back to its default.
platform::Endpoint destinationFromConfig(const ConfigStore& config);

}  // namespace orvane
