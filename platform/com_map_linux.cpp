#include "com_map.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace platform {
namespace {

constexpr int kPortsPerFamily = 32;
constexpr const char* kFamilies[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};
constexpr const char* kEnvPrefix = "TRAX_COM";

}  // namespace

std::string comDevicePath(int n) {
  const std::string var = kEnvPrefix + std::to_string(n);
  if (const char* value = std::getenv(var.c_str()); value && *value) return value;
  if (n < 1 || n > kPortsPerFamily * 3) return {};
  const int family = (n - 1) / kPortsPerFamily;
  return kFamilies[family] + std::to_string((n - 1) % kPortsPerFamily);
}

std::vector<int> availableComPorts() {
  std::vector<int> ports;
  for (int n = 1; n <= kPortsPerFamily * 3; ++n) {
    std::error_code ec;
    if (std::filesystem::exists(comDevicePath(n), ec)) ports.push_back(n);
  }
  const std::size_t prefixLength = std::strlen(kEnvPrefix);
  for (char** env = environ; env && *env; ++env) {
    const std::string entry = *env;
    if (entry.compare(0, prefixLength, kEnvPrefix) != 0) continue;
    const auto eq = entry.find('=');
    if (eq == std::string::npos || eq == prefixLength || eq + 1 == entry.size()) continue;
    const std::string digits = entry.substr(prefixLength, eq - prefixLength);
    if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
    ports.push_back(std::atoi(digits.c_str()));
  }
  std::sort(ports.begin(), ports.end());
  ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
  return ports;
}

}  // namespace platform
