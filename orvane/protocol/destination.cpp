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

std::vector<std::string> interfaceNamesFromList(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const auto comma = list.find(',');
    auto name = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos) continue;
    name = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> interfaceFilterFromConfig(const ConfigStore& config) {
  return interfaceNamesFromList(config.readText("Interfaces"));
}

}  // namespace orvane
