#include "command_enabling.h"

#include "orvane/protocol/module_record.h"
#include "orvane/protocol/module_table.h"
#include "orvane/protocol/row_format.h"

namespace orvane {
namespace {

bool rowSelected(const CommandContext& c) {
  return c.selectedRow >= 0 && c.selectedRow < kModuleTableSize;
}

bool networkModuleRunning(const CommandContext& c) {
  return c.protocolType == kProtocolTcpIp && c.runMode != kRunModeBootLoader;
}

}  // namespace

bool commandEnabled(int command, const CommandContext& c) {
  switch (command) {
    case kCmdBasicSettings:
    case kCmdFactoryRestore:
      return rowSelected(c) && (c.protocolType == kProtocolSerial || networkModuleRunning(c));
    case kCmdAdvancedSettings:
    case kCmdPeerSettings:
    case kCmdSaveSettings:  // the file holds all three network sections
    case kCmdLoadSettings:
      return rowSelected(c) && networkModuleRunning(c);
    case kCmdFirmwareUpgrade:
      return c.protocolType == kProtocolTcpIp;
    default:
      return true;
  }
}

bool commandChecked(int command, const CommandContext& c) {
  switch (command) {
    case kCmdRouteTcpIp:
      return c.protocolType == kProtocolTcpIp;
    case kCmdRouteSerial:
      return c.protocolType == kProtocolSerial;
    case kCmdToolBar:
      return c.toolBarShown;
    case kCmdStatusBar:
      return c.statusBarShown;
    case kCmdSettingsBar:
      return c.settingsBarShown;
    default:
      return false;
  }
}

}  // namespace orvane
