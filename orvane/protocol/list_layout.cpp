#include "list_layout.h"

#include "orvane/protocol/row_format.h"

namespace orvane {

// The longest status is a system program with every flag of the low byte;
// on the serial route the longest is a coded text with a one-digit code.
std::vector<std::pair<int, std::string>> widestColumnTexts() {
  ModuleRecord everyFlag;
  everyFlag.runMode = kRunModeSystemProgram;
  everyFlag.statusFlags = 0x1F;
  std::string status = statusCell(everyFlag, kProtocolTcpIp).text;
  for (unsigned code = 0; code <= 5; ++code) {
    const auto serial = serialStatusCell(code);
    if (serial && serial->text.size() > status.size()) status = serial->text;
  }
  return {{kColumnIp, "192.168.100.100"}, {kColumnStatus, status}};
}

}  // namespace orvane
