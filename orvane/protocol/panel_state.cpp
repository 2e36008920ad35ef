#include "panel_state.h"

#include "orvane/protocol/module_record.h"
#include "orvane/protocol/row_format.h"

namespace orvane {

bool infoRowShown(InfoRow row, int protocolType) {
  if (row == InfoRow::Cpu) return false;
  return protocolType != kProtocolSerial || row == InfoRow::Firmware;
}

std::string interfaceRowText(std::string_view interfaceName) {
  return interfaceName.empty() ? std::string("----") : std::string(interfaceName);
}

ConfigPanelEnabling configPanelEnabling(int protocolType, std::uint8_t runMode) {
  if (protocolType == kProtocolSerial) return {true, false, false, false, std::nullopt};
  const bool running = runMode != kRunModeBootLoader;
  return {running, running, running, true, running};
}

}  // namespace orvane
