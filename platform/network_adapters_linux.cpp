#include "network_adapters.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

std::string dotted(const sockaddr* address) {
  char text[INET_ADDRSTRLEN] = {};
  const auto* in = reinterpret_cast<const sockaddr_in*>(address);
  ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
  return text;
}

// Default routes from the kernel's routing table: "Iface Destination Gateway
// ..." in hexadecimal, the addresses in network byte order.
void addGateways(std::vector<NetworkAdapter>& adapters) {
  std::ifstream routes("/proc/net/route");
  std::string line;
  std::getline(routes, line);  // header
  while (std::getline(routes, line)) {
    std::istringstream in(line);
    std::string name;
    std::uint32_t destination = 0, gateway = 0;
    in >> name >> std::hex >> destination >> gateway;
    if (!in || destination != 0 || gateway == 0) continue;
    in_addr address{};
    address.s_addr = gateway;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address, text, sizeof text);
    for (auto& adapter : adapters)
      if (adapter.name == name) adapter.gateways.emplace_back(text);
  }
}

}  // namespace

std::vector<NetworkAdapter> networkAdapters() {
  std::vector<NetworkAdapter> adapters;
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return adapters;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
    if (!(entry->ifa_flags & IFF_UP)) continue;
    auto it = std::find_if(adapters.begin(), adapters.end(),
                           [&](const NetworkAdapter& a) { return a.name == entry->ifa_name; });
    if (it == adapters.end()) {
      adapters.push_back({entry->ifa_name, {}, {}, {}, {}});
      it = adapters.end() - 1;
    }
    it->broadcast = (entry->ifa_flags & IFF_BROADCAST) && !(entry->ifa_flags & IFF_LOOPBACK);
    it->addresses.push_back(dotted(entry->ifa_addr));
    it->masks.push_back(entry->ifa_netmask ? dotted(entry->ifa_netmask) : std::string("0.0.0.0"));
  }
  ::freeifaddrs(list);
  addGateways(adapters);
  return adapters;
}

std::vector<std::string> broadcastAdapterNames() {
  std::vector<std::string> names;
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return names;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
    const auto flags = entry->ifa_flags;
    if (!(flags & IFF_UP) || !(flags & IFF_BROADCAST) || (flags & IFF_LOOPBACK)) continue;
    if (std::find(names.begin(), names.end(), entry->ifa_name) == names.end())
      names.emplace_back(entry->ifa_name);
  }
  ::freeifaddrs(list);
  return names;
}

}  // namespace platform
