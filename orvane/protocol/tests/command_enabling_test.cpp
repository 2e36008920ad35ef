#include "orvane/protocol/command_enabling.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(CommandEnabling, RulesOfTheModuleCommands) {
  struct Row {
    int protocol, row;
    std::uint8_t runMode;
    bool basicAndRestore, advancedAndPeer, upgrade;
  };
  const Row rows[] = {
      {0, -1, 0, false, false, true},  // nothing selected
      {0, 0, 2, true, true, true},
      {0, 3, 0, true, true, true},
      {0, 3, 1, false, false, true},  // boot loader over the network
      {0, 255, 2, true, true, true},
      {0, 256, 2, false, false, true},
      {1, 0, 1, true, false, false},  // serial: basic and restore only
      {1, -1, 0, false, false, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.protocol << "/" << r.row << "/" << int(r.runMode));
    const CommandContext c{r.protocol, r.row, r.runMode};
    EXPECT_EQ(commandEnabled(kCmdBasicSettings, c), r.basicAndRestore);
    EXPECT_EQ(commandEnabled(kCmdFactoryRestore, c), r.basicAndRestore);
    EXPECT_EQ(commandEnabled(kCmdAdvancedSettings, c), r.advancedAndPeer);
    EXPECT_EQ(commandEnabled(kCmdPeerSettings, c), r.advancedAndPeer);
    EXPECT_EQ(commandEnabled(kCmdSaveSettings, c), r.advancedAndPeer);
    EXPECT_EQ(commandEnabled(kCmdLoadSettings, c), r.advancedAndPeer);
    EXPECT_EQ(commandEnabled(kCmdFirmwareUpgrade, c), r.upgrade);
    for (int always : {kCmdExport, kCmdFindModules, kCmdTest}) EXPECT_TRUE(commandEnabled(always, c));
    EXPECT_EQ(commandChecked(kCmdRouteTcpIp, c), r.protocol == 0);
    EXPECT_EQ(commandChecked(kCmdRouteSerial, c), r.protocol == 1);
  }
}

TEST(CommandEnabling, BarCommandsCheckedWhileTheirBarShows) {
  struct Row {
    int command;
    bool CommandContext::*shown;
  };
  const Row rows[] = {{kCmdToolBar, &CommandContext::toolBarShown},
                      {kCmdStatusBar, &CommandContext::statusBarShown},
                      {kCmdSettingsBar, &CommandContext::settingsBarShown}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.command);
    CommandContext c;
    EXPECT_TRUE(commandChecked(r.command, c));
    EXPECT_TRUE(commandEnabled(r.command, c));
    c.*r.shown = false;
    EXPECT_FALSE(commandChecked(r.command, c));
  }
}

}  // namespace
}  // namespace orvane
