#include "tessor/core/tessor_settings.h"

#include "platform/ini_file.h"

namespace tessor {

namespace {

constexpr const char* kConnection = "MODBUSTCPIP";
constexpr const char* kExchange = "DATAEXCHANGE";
constexpr const char* kMonitor = "MONITOR";
constexpr const char* kIpKeys[4] = {"IP Address0", "IP Address1", "IP Address2", "IP Address3"};
// The start address is read into a buffer of 260 characters with its terminator.
constexpr std::size_t kStartAddressChars = 259;

int readInt(const std::filesystem::path& file, const char* section, const char* key, int fallback) {
  return platform::readProfileInt(file, section, key, fallback);
}

}  // namespace

bool LoadSettings(const std::filesystem::path& file, TessorSettings& s) {
  std::array<std::uint8_t, 4> ip{};
  for (std::size_t i = 0; i < ip.size(); ++i) {
    const int value = readInt(file, kConnection, kIpKeys[i], 255);
    if (value == 255) return false;
    ip[i] = static_cast<std::uint8_t>(value);
  }
  s.ip = ip;
  s.station = readInt(file, kConnection, "Station", 0);
  s.retries = readInt(file, kConnection, "Retry", 0);
  s.timeout = readInt(file, kConnection, "TimeOut", 30);
  s.polling = readInt(file, kConnection, "Poill", 0);
  s.startAddress = platform::readProfileString(file, kExchange, "Start Address", "", kStartAddressChars);
  if (s.startAddress.empty()) return false;
  s.length = readInt(file, kExchange, "Address Size", 1);
  s.dataType = readInt(file, kExchange, "Data Type", 0);
  s.displayType = readInt(file, kExchange, "Display Type", 0);
  s.gridColumn = readInt(file, kExchange, "Grid Column", 8);
  s.functionNo = readInt(file, kMonitor, "Function NO", 0);
  s.timeInterval = readInt(file, kMonitor, "Time Interval", 20);
  s.stateDisplayTime = readInt(file, kMonitor, "State Display Time", 5);
  s.ignoreError = readInt(file, kMonitor, "Ignore Error", 0) == 1;
  return true;
}

void ApplyDefaultSettings(TessorSettings& s) {
  const int gridColumn = s.gridColumn;
  s = TessorSettings{};
  s.ip = {192, 168, 10, 96};
  s.station = 1;
  s.retries = 3;
  s.timeout = 1;
  s.polling = 0;
  s.ignoreError = false;
  s.startAddress = "R2000";
  s.length = 10;
  s.dataType = 1;
  s.displayType = 2;
  s.functionNo = 0;
  s.timeInterval = 20;
  s.stateDisplayTime = 5;
  s.gridColumn = gridColumn;
}

bool SaveSettings(const std::filesystem::path& file, const TessorSettings& s) {
  const auto put = [&](const char* section, const char* key, int value) {
    return platform::writeProfileString(file, section, key, std::to_string(value));
  };
  bool ok = true;
  for (std::size_t i = 0; i < s.ip.size(); ++i) ok = put(kConnection, kIpKeys[i], s.ip[i]) && ok;
  ok = put(kConnection, "Station", s.station) && ok;
  ok = put(kConnection, "Retry", s.retries) && ok;
  ok = put(kConnection, "TimeOut", s.timeout) && ok;
  ok = put(kConnection, "Poill", s.polling) && ok;
  ok = platform::writeProfileString(file, kExchange, "Start Address", s.startAddress) && ok;
  ok = put(kExchange, "Address Size", s.length) && ok;
  ok = put(kExchange, "Data Type", s.dataType) && ok;
  ok = put(kExchange, "Display Type", s.displayType) && ok;
  ok = put(kMonitor, "Function NO", s.functionNo) && ok;
  ok = put(kMonitor, "Time Interval", s.timeInterval) && ok;
  ok = put(kMonitor, "State Display Time", s.stateDisplayTime) && ok;
  ok = put(kMonitor, "Ignore Error", s.ignoreError ? 1 : 0) && ok;
  return ok;
}

NetworkSettings LoadNetworkSettings(const std::filesystem::path& file) {
  NetworkSettings n;
  const int port = readInt(file, kConnection, "Port", 502);
  if (port > 0 && port <= 65535) n.modbusPort = static_cast<std::uint16_t>(port);
  const auto address = platform::parseIpv4(
      platform::readProfileString(file, kConnection, "ScanAddress", "255.255.255.255"));
  if (address) n.scanDestination.address = *address;
  const int scanPort = readInt(file, kConnection, "ScanPort", 28784);
  if (scanPort > 0 && scanPort <= 65535) n.scanDestination.port = static_cast<std::uint16_t>(scanPort);
  return n;
}

}  // namespace tessor
