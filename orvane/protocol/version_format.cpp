#include "version_format.h"

#include <cstdio>

namespace orvane {
namespace {

std::string twoPartText(std::uint8_t major, std::uint8_t minor) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d", major, minor);
  return text;
}

std::string fourByteVersionText(const std::array<std::uint8_t, 4>& v) {
  if (v[3] == 0 && v[2] == 0) return twoPartText(v[1], v[0]);
  char text[24];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", v[3], v[2], v[1], v[0]);
  return text;
}

}  // namespace

std::string switchBitsText(std::uint8_t switchByte) {
  std::string bits;
  for (int bit = 7; bit >= 0; --bit) bits += (switchByte >> bit) & 1 ? '1' : '0';
  return bits;
}

VersionPanelTexts versionPanelTexts(std::uint8_t runMode, const ModuleVersionInfo& versions) {
  VersionPanelTexts texts;
  texts.boot = fourByteVersionText(versions.bootVersion);
  texts.pwb = twoPartText(versions.pwbVersion[1], versions.pwbVersion[0]);
  if (runMode == kRunModeBootLoader) {
    texts.firmware = texts.pld = texts.switches = "----";
  } else {
    texts.firmware = fourByteVersionText(versions.firmwareVersion);
    texts.pld = twoPartText(versions.pldVersion[1], versions.pldVersion[0]);
    texts.switches = switchBitsText(versions.switchByte);
  }
  return texts;
}

}  // namespace orvane
