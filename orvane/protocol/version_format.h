#pragma once
// The texts of the module information panel, made from a ModuleVersionInfo
// and the module's run mode. The panel and orvane-cli's JSON both use them.
#include <cstdint>
#include <string>

#include "orvane/protocol/module_record.h"

namespace orvane {

struct VersionPanelTexts {
  std::string firmware;  // "固件版本"
  std::string boot;      // "Booter版本"
  std::string switches;  // "开关"
  std::string pwb;       // "PWB版本"
  std::string pld;       // "PLD版本"
};

// In the boot loader (run mode 1) firmware, PLD and switches show "----".
// A 4-byte version shows "%d.%d.%d.%d" (bytes 3..0) when byte 3 or 2 is not
// 0, else "%d.%02d" (bytes 1, 0); PWB and PLD show "%d.%02d"; the switch byte
// shows eight binary digits, bit 7 first.
VersionPanelTexts versionPanelTexts(std::uint8_t runMode, const ModuleVersionInfo& versions);

std::string switchBitsText(std::uint8_t switchByte);

}  // namespace orvane
