#pragma once
// The computer's network adapters with their IPv4 settings, in the order the
// system lists them (getifaddrs on Linux).
#include <string>
#include <vector>

namespace platform {

struct NetworkAdapter {
  std::string name;
  std::vector<std::string> addresses;  // dotted IPv4
  std::vector<std::string> masks;      // one per address
  std::vector<std::string> gateways;   // default routes through this adapter
  std::string dhcpServer;              // empty where the system does not tell
  bool broadcast = false;              // can broadcast, and is no loopback adapter
};

// Adapters that are up and carry at least one IPv4 address, loopback included
// (it comes first, so a real adapter after it is the one a caller keeping the
// last sees); an empty list when the system cannot be asked.
std::vector<NetworkAdapter> networkAdapters();

// The names of the adapters that are up, carry an IPv4 address and can
// broadcast (loopback and point-to-point links cannot), in the same order.
std::vector<std::string> broadcastAdapterNames();

}  // namespace platform
