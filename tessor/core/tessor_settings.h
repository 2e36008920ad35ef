#pragma once
// Tessor's settings file Config.ini: what the window starts from and what it
// writes back while working. The file also carries the hand-off from the
// editor, and keys Tessor does not write stay as they are.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/udp_socket.h"

namespace tessor {

struct TessorSettings {
  std::array<std::uint8_t, 4> ip{};
  int station = 0;
  int retries = 0;
  int timeout = 30;  // units of 100 ms
  int polling = 0;   // ms
  std::string startAddress;
  int length = 1;
  int dataType = 0;
  int displayType = 0;  // 0 octal, 1 decimal, 2 hexadecimal; also the previous format
  int gridColumn = 8;   // read only, never written
  int functionNo = 0;
  int timeInterval = 20;
  int stateDisplayTime = 5;  // units of 100 ms
  bool ignoreError = false;
};

// Reads Config.ini in the file's order and stops at the first essential value
// that is missing: an IP address byte that reads 255 (or is absent) or an empty
// start address. The values read before that stay in `settings`; false then.
bool LoadSettings(const std::filesystem::path& file, TessorSettings& settings);

// The defaults a missing or incomplete file gives; "Grid Column" is kept, since
// only the file sets it.
void ApplyDefaultSettings(TessorSettings& settings);

// Writes every setting of the window as decimal text, except "Grid Column".
// False when the file cannot be written.
bool SaveSettings(const std::filesystem::path& file, const TessorSettings& settings);

// Where Tessor's requests go: the Modbus TCP port ("Port", default 502) and the
// module scan's destination ("ScanAddress", "ScanPort", defaults
// 255.255.255.255:28784), all in section "MODBUSTCPIP".
struct NetworkSettings {
  std::uint16_t modbusPort = 502;
  platform::Endpoint scanDestination{0xFFFFFFFFu, 28784};
};
NetworkSettings LoadNetworkSettings(const std::filesystem::path& file);

}  // namespace tessor
