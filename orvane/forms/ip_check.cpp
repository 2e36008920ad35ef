#include "ip_check.h"

namespace orvane::forms {

bool ipAddressAllowed(const Ipv4Bytes& ip) {
  const Ipv4Bytes zero{0, 0, 0, 0}, loopbackNet{127, 0, 0, 0}, loopback{127, 0, 0, 1};
  if (ip == zero || ip == loopbackNet || ip == loopback) return false;
  return ip[0] < 224 && ip[3] != 255;
}

}  // namespace orvane::forms
