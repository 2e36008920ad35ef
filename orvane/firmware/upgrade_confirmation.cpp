#include "upgrade_confirmation.h"

#include <cstdio>

namespace orvane {

std::string upgradeVersionText(const std::array<std::uint8_t, 4>& version) {
  char text[24];
  std::snprintf(text, sizeof text, "V%d.%d.%d.%d", version[3], version[2], version[1], version[0]);
  return text;
}

std::string upgradeConfirmationText(FirmwareKind kind, std::uint8_t runMode,
                                    const ModuleVersionInfo& versions,
                                    const std::array<std::uint8_t, 4>& imageVersion) {
  const std::string to = upgradeVersionText(imageVersion);
  if (kind == FirmwareKind::BootLoader)
    return "BOOTLOAD升级:\n\n从版本：\t到版本：\n\n" + upgradeVersionText(versions.bootVersion) +
           "\t\t" + to;
  if (runMode == kRunModeBootLoader)
    return "系统程序升级:\n\n从版本：\t到版本：\n\n----\t\t" + to;
  return "系统程序升级:\n\n从版本：\t到版本：\n\n" + upgradeVersionText(versions.firmwareVersion) +
         "\t\t" + to;
}

}  // namespace orvane
