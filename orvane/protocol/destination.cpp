#include "destination.h"

namespace orvane {

platform::Endpoint destinationFromConfig(const ConfigStore& config) {
  auto destination = defaultDestination();
  if (const auto address = platform::parseIpv4(config.readText("BroadcastAddress")))
    destination.address = *address;
  const int port = config.readInt("BroadcastPort");
  if (port > 0 && port <= 65535) destination.port = static_cast<std::uint16_t>(port);
  return destination;
}

}  // namespace orvane
