#include "compatibility.h"

#include "orvane/firmware/firmware_image.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

int compareWithFirmwareFile(const ModuleVersionInfo& versions,
                            const std::filesystem::path& firmwareFile) {
  const auto image = checkFirmwareImageFile(firmwareFile);
  if (!image) return 1;
  const std::uint8_t moduleMajor = versions.firmwareVersion[3];
  const std::uint8_t fileMajor = image->version[3];
  if (moduleMajor == fileMajor) return 0;
  return moduleMajor < fileMajor ? 1 : -1;
}

std::string_view compatibilityWarning(int result) {
  if (result > 0) return texts::kModuleTooOld;
  if (result < 0) return texts::kToolTooOld;
  return {};
}

}  // namespace orvane
