// "高级配置..." and "点对点配置..." step by step against modules behind the
// fake transport.
#include "settings_commands_fixture.h"
#include "orvane/protocol/settings_texts.h"

namespace orvane {
namespace {

using namespace orvane::testing;

TEST_F(SettingsCommandsTest, AdvancedSettingsSendBackTheReservedValues) {
  auto module = fake(1);
  module.advanced = {0xA1, 0xA2, 0xA3, 0xA4, 0xB1, 0xB2, 0xB3, 0xB4, 0xC5,
                     0xF4, 0x01, 0x00, 0x00, 0x1E, 0x00, 0x00, 0x00};
  scan({module});
  dialogs.advanced = [](AdvancedSettings& s) {
    s.masterTimeoutMs = 0x01020304;
    s.reservedA = s.reservedB = 0;  // a dialog touching more than it may
    s.reservedByte = 0;
    return true;
  };
  const auto table = core.table().snapshot();
  EXPECT_EQ(commands.advancedSettings(0), SettingsOutcome::Done);
  EXPECT_EQ(codesSent(), (std::vector<int>{0x07, 0x03}));
  ASSERT_EQ(dialogs.advancedGiven.size(), 1u);
  EXPECT_EQ(dialogs.advancedGiven[0].masterTimeoutMs, 500u);
  EXPECT_EQ(dialogs.advancedGiven[0].slaveTimeoutSec, 30u);
  EXPECT_EQ(dialogs.advancedGiven[0].mac, macOf(1));
  const auto frame = lastSent();
  EXPECT_EQ(Bytes(frame.begin() + 10, frame.begin() + 27),
            (Bytes{0xA1, 0xA2, 0xA3, 0xA4, 0xB1, 0xB2, 0xB3, 0xB4, 0xC5,
                   0x04, 0x03, 0x02, 0x01, 0x1E, 0x00, 0x00, 0x00}));
  EXPECT_EQ(core.table().snapshot(), table);
  EXPECT_TRUE(prompt.boxes.empty());
  // No re-read, and the status text stays as the busy indicator left it.
  EXPECT_EQ(ui.shownTexts().back(), "通信中...");
  EXPECT_EQ(ui.events().back(), "busy off");
}

TEST_F(SettingsCommandsTest, AdvancedAndPeerFailures) {
  struct Row {
    SettingsOutcome (SettingsCommands::*command)(int);
    std::function<void(SettingsFake&)> fault;
    std::string_view box;
    SettingsOutcome outcome;
    std::vector<int> codes;
  };
  const Row rows[] = {
      {&SettingsCommands::advancedSettings, [](SettingsFake& f) { f.silentFor = {0x07}; },
       texts::kReadAdvancedFailed, SettingsOutcome::ReadFailed, {0x07}},
      {&SettingsCommands::advancedSettings, [](SettingsFake& f) { f.resultFor[0x03] = 1; },
       texts::kWriteAdvancedFailed, SettingsOutcome::WriteFailed, {0x07, 0x03}},
      {&SettingsCommands::peerSettings, [](SettingsFake& f) { f.silentFor = {0x08}; },
       texts::kReadPeersFailed, SettingsOutcome::ReadFailed, {0x08}},
      {&SettingsCommands::peerSettings, [](SettingsFake& f) { f.resultFor[0x04] = 0x11; },
       texts::kWritePeersFailed, SettingsOutcome::WriteFailed, {0x08, 0x04}},
  };
  dialogs.advanced = [](AdvancedSettings&) { return true; };
  dialogs.peers = [](std::vector<PeerEntry>&) { return true; };
  for (const auto& row : rows) {
    scan({fake(1)});
    row.fault(fakes[0]);
    prompt.boxes.clear();
    EXPECT_EQ((commands.*row.command)(0), row.outcome);
    EXPECT_EQ(codesSent(), row.codes);
    ASSERT_EQ(prompt.boxes.size(), 1u);
    EXPECT_EQ(prompt.boxes[0].text, row.box);
    EXPECT_EQ(prompt.boxes[0].caption, "错误");
    EXPECT_EQ(prompt.boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.events().back(), "busy off");
  }
  EXPECT_EQ(dialogs.advancedGiven.size(), 1u);  // never after a failed read
  EXPECT_EQ(dialogs.peersGiven.size(), 1u);
}

TEST_F(SettingsCommandsTest, EmptyPeerTableConfirmedWritesTheTwelveByteFrame) {
  scan({fake(1)});
  dialogs.peers = [](std::vector<PeerEntry>&) { return true; };
  EXPECT_EQ(commands.peerSettings(0), SettingsOutcome::Done);
  ASSERT_EQ(dialogs.peersGiven.size(), 1u);
  EXPECT_TRUE(dialogs.peersGiven[0].empty());
  const auto frame = lastSent();
  EXPECT_EQ(frame.size(), 12u);
  EXPECT_EQ(frame[3], 0x04);
  EXPECT_EQ(frame[10], 0);
  EXPECT_EQ(ui.shownTexts().back(), "就绪");
}

TEST_F(SettingsCommandsTest, PeerDialogGetsAtMostThirtyAndItsEntriesAreWritten) {
  auto module = fake(1);
  for (int i = 0; i < 42; ++i)
    module.peers.push_back({static_cast<std::uint8_t>(i), 2, 10, 0, 0, 1, 0, 0, 0, 0, 0, 0});
  scan({module});
  dialogs.peers = [](std::vector<PeerEntry>& entries) {
    entries.resize(2);
    entries[1].device = 77;
    return true;
  };
  EXPECT_EQ(commands.peerSettings(0), SettingsOutcome::Done);
  ASSERT_EQ(dialogs.peersGiven.size(), 1u);
  EXPECT_EQ(dialogs.peersGiven[0].size(), 30u);
  EXPECT_EQ(dialogs.peersGiven[0][29].device, 29);
  const auto frame = lastSent();
  ASSERT_EQ(frame.size(), 36u);
  EXPECT_EQ(frame[10], 2);
  EXPECT_EQ(frame[23], 77);
  EXPECT_EQ(fakes[0].peers.size(), 2u);
}

TEST_F(SettingsCommandsTest, CancelledPeerDialogWritesNothing) {
  scan({fake(1)});
  EXPECT_EQ(commands.peerSettings(0), SettingsOutcome::Cancelled);
  EXPECT_EQ(commands.advancedSettings(0), SettingsOutcome::Cancelled);
  EXPECT_EQ(codesSent(), (std::vector<int>{0x08, 0x07}));
}

}  // namespace
}  // namespace orvane
