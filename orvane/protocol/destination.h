#pragma once
// Where module requests go: "BroadcastAddress":"BroadcastPort" of Lumen_.ini
// section "App", 255.255.255.255:58580 when absent. Tests, demos and
// benchmarks point it at loopback; orvane-cli's --target overrides it.
// 255.255.255.255 sends out of every interface that can broadcast, or of
// those "Interfaces" names (ModuleLink); orvane-cli's --interface overrides it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// "Interfaces": names separated by commas, blanks around them dropped; empty
// or absent is every interface.
std::vector<std::string> interfaceNamesFromList(std::string_view list);
std::vector<std::string> interfaceFilterFromConfig(const ConfigStore& config);

}  // namespace orvane
