#pragma once
// The question that shows what is replaced by what before an upgrade.
#include <array>
#include <cstdint>
#include <string>

#include "orvane/firmware/firmware_image.h"
#include "orvane/protocol/module_record.h"

namespace orvane {

// "V%d.%d.%d.%d", fourth byte first, first byte last.
std::string upgradeVersionText(const std::array<std::uint8_t, 4>& version);

// The confirmation text: the module's current version of the area the image
// replaces ("----" for the system program of a module in its boot loader),
// then the image version (header bytes 32 to 35).
std::string upgradeConfirmationText(FirmwareKind kind, std::uint8_t runMode,
                                    const ModuleVersionInfo& versions,
                                    const std::array<std::uint8_t, 4>& imageVersion);

}  // namespace orvane
