#pragma once
// Which commands of the menus, toolbar, context menu and panels are enabled
// or checked, decided without a window.
#include <cstdint>

namespace orvane {

enum CommandId : int {
  kCmdExport = 32774,
  kCmdFindModules = 32775,
  kCmdBasicSettings = 32778,
  kCmdAdvancedSettings = 32779,
  kCmdPeerSettings = 32780,
  kCmdFirmwareUpgrade = 32781,
  kCmdFactoryRestore = 32782,
  kCmdRouteTcpIp = 32786,
  kCmdRouteSerial = 32788,
  kCmdTest = 32792,
  // The settings file of the selected module: "保存配置...", "载入配置...".
  kCmdSaveSettings = 32800,
  kCmdLoadSettings = 32801,
  kCmdSettingsBar = 32776,
  kCmdToolBar = 59392,
  kCmdStatusBar = 59393,
};

struct CommandContext {
  int protocolType = 0;
  int selectedRow = -1;          // the first selected list row, -1 when none
  std::uint8_t runMode = 0;      // of the selected row's record, found by MAC
  // Whether the toolbar, the status bar and the docking bar are shown.
  bool toolBarShown = true;
  bool statusBarShown = true;
  bool settingsBarShown = true;
};

// Commands without a rule (export, find modules, test) stay enabled.
bool commandEnabled(int command, const CommandContext& context);
// "TCP/IP" and "串口" are checked on their route, the three bar commands while
// their bar is shown; every other command unchecked.
bool commandChecked(int command, const CommandContext& context);

}  // namespace orvane
