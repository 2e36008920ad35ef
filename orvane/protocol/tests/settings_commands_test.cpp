// The settings commands: the refusals before any frame, and the basic
// settings command step by step, against modules behind the fake transport.
#include "settings_commands_fixture.h"
#include "orvane/protocol/settings_texts.h"
#include "orvane/protocol/user_texts.h"
#include "platform/gbk.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using Command = SettingsOutcome (SettingsCommands::*)(int);

TEST_F(SettingsCommandsTest, RefusalsComeBeforeAnyFrame) {
  struct Row {
    SettingsFake module;
    std::string_view warning;
    SettingsOutcome outcome;
  };
  const Row rows[] = {
      {fake(1, 3), texts::kModuleTooOld, SettingsOutcome::ModuleTooOld},
      {fake(1, 5), texts::kToolTooOld, SettingsOutcome::ToolTooOld},
      {fake(1, 4, kFlagManualReset | kFlagMacError), texts::kManualReset, SettingsOutcome::ManualReset},
  };
  for (const auto command : {&SettingsCommands::basicSettings, &SettingsCommands::advancedSettings,
                             &SettingsCommands::peerSettings}) {
    for (const auto& row : rows) {
      scan({row.module});
      prompt.boxes.clear();
      const auto events = ui.events().size();
      EXPECT_EQ((commands.*command)(0), row.outcome);
      EXPECT_TRUE(codesSent().empty());
      ASSERT_EQ(prompt.boxes.size(), 1u);
      EXPECT_EQ(prompt.boxes[0].text, row.warning);
      EXPECT_EQ(prompt.boxes[0].caption, "警告");
      EXPECT_EQ(prompt.boxes[0].icon, MessageIcon::Warning);
      EXPECT_EQ(prompt.boxes[0].buttons, MessageButtons::Ok);
      // Busy indicator on, then off before the box; no "就绪" after it.
      EXPECT_EQ(eventsSince(events),
                (std::vector<std::string>{"status 通信中...", "busy on", "busy off"}));
    }
  }
  EXPECT_EQ(dialogs.opened(), 0);
}

TEST_F(SettingsCommandsTest, NothingSelectedOrBootLoaderOrSerialRoute) {
  scan({fake(1, 4, 0, kRunModeBootLoader), fake(2)});
  for (const auto command : {&SettingsCommands::basicSettings, &SettingsCommands::advancedSettings,
                             &SettingsCommands::peerSettings}) {
    EXPECT_EQ((commands.*command)(-1), SettingsOutcome::NotRun);
    EXPECT_EQ((commands.*command)(5), SettingsOutcome::NotRun);  // no such row
    // The boot loader's version has the file's major: only the busy flash.
    EXPECT_EQ((commands.*command)(0), SettingsOutcome::BootLoader);
  }
  ui.rows.push_back(macText(macOf(9)));  // a row whose module the table no longer holds
  for (const auto command : {&SettingsCommands::basicSettings, &SettingsCommands::advancedSettings,
                             &SettingsCommands::peerSettings, &SettingsCommands::factoryRestore})
    EXPECT_EQ((commands.*command)(2), SettingsOutcome::NotRun);
  core.overrideProtocolType(kProtocolSerial);
  for (const auto command : {&SettingsCommands::basicSettings, &SettingsCommands::advancedSettings,
                             &SettingsCommands::peerSettings})
    EXPECT_EQ((commands.*command)(1), SettingsOutcome::NotRun);
  EXPECT_TRUE(codesSent().empty());
  EXPECT_TRUE(prompt.boxes.empty());
  EXPECT_EQ(dialogs.opened(), 0);
  EXPECT_EQ(ui.events().back(), "busy off");
}

TEST_F(SettingsCommandsTest, BasicSettingsWrittenReadAgainAndShown) {
  auto module = fake(2);
  module.module.fixedId = 0;
  scan({fake(1, 4, kFlagMacError), module});
  ui.rows = {ui.rows[1], ui.rows[0]};  // sorted: row 0 shows module 2
  core.table().update(1, [](ModuleRecord& r) { r.statusFlags = kFlagIpConflict; });
  dialogs.basic = [](ModuleRecord& r) {
    r.moduleId = 4711;
    setTextField(r.name, platform::utf8ToGbk("二号线"));
    setTextField(r.description, "rack 1");
    r.ipAddress = {192, 168, 20, 5};
    return true;
  };
  const auto other = *core.table().record(0);
  const auto events = ui.events().size();
  EXPECT_EQ(commands.basicSettings(0), SettingsOutcome::Done);

  EXPECT_EQ(codesSent(), (std::vector<int>{0x06, 0x02, 0x06, 0x09}));
  EXPECT_EQ(waits, std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(3000)});
  ASSERT_EQ(dialogs.basicGiven.size(), 1u);
  EXPECT_EQ(dialogs.modesGiven[0], kProtocolTcpIp);
  EXPECT_EQ(nameUtf8(dialogs.basicGiven[0]), "module");  // read afresh
  const auto written = transport.sent()[sentBefore + 1].frame;
  EXPECT_EQ(written[10] | written[11] << 8, 4711);
  EXPECT_EQ(written[335], 192);
  EXPECT_EQ(written[337], 20);

  const auto record = *core.table().record(1);
  EXPECT_EQ(nameUtf8(record), "二号线");
  EXPECT_EQ(record.moduleId, 4711u);
  EXPECT_EQ(record.currentIp, (Ipv4Bytes{192, 168, 20, 5}));
  EXPECT_EQ(record.statusFlags, kFlagIpConflict);  // not read by the command: kept
  EXPECT_EQ(record.runMode, kRunModeSystemProgram);
  EXPECT_EQ(*core.table().record(0), other);
  EXPECT_TRUE(prompt.boxes.empty());
  const std::vector<std::string> expected{
      "status 通信中...", "busy on", "status 就绪", "busy off",  // read, then the dialog
      "status 通信中...", "busy on",                             // write, wait, re-read
      "rowText 0 4 二号线", "rowText 0 2 192.168.20.05", "rowText 0 3 4711",
      "rowText 0 5 rack 1", "rowText 0 7 V4.0.0.1", "status 就绪", "busy off"};
  EXPECT_EQ(eventsSince(events), expected);
}

TEST_F(SettingsCommandsTest, TheRowShowsTheFixedId) {
  auto module = fake(1);
  module.module.fixedId = 9;
  scan({module});
  dialogs.basic = [](ModuleRecord&) { return true; };
  EXPECT_EQ(commands.basicSettings(0), SettingsOutcome::Done);
  EXPECT_EQ(ui.count("rowText 0 3 9"), 1);
}

TEST_F(SettingsCommandsTest, BasicSettingsFailuresLeaveTheTable) {
  struct Row {
    std::function<void(SettingsFake&)> fault;
    std::string_view box;
    SettingsOutcome outcome;
    std::vector<int> codes;
    bool rowShown;
  };
  const Row rows[] = {
      {[](SettingsFake& f) { f.silentFor = {0x06}; }, texts::kReadBasicFailed,
       SettingsOutcome::ReadFailed, {0x06}, false},
      {[](SettingsFake& f) { f.resultFor[0x02] = 0x30; }, texts::kWriteBasicFailed,
       SettingsOutcome::WriteFailed, {0x06, 0x02}, false},
      {[](SettingsFake& f) { f.silenceAfterWrite = 1; }, texts::kRereadBasicFailed,
       SettingsOutcome::RereadFailed, {0x06, 0x02, 0x06}, false},
      {[](SettingsFake& f) { f.silentFor = {0x09}; }, texts::kReadVersionFailed,
       SettingsOutcome::VersionReadFailed, {0x06, 0x02, 0x06, 0x09}, true},
  };
  dialogs.basic = [](ModuleRecord& r) {
    r.moduleId = 99;
    return true;
  };
  for (const auto& row : rows) {
    scan({fake(1)});
    const auto before = *core.table().record(0);
    row.fault(fakes[0]);
    prompt.boxes.clear();
    const auto rowTexts = ui.count("rowText 0 3 99");
    EXPECT_EQ(commands.basicSettings(0), row.outcome);
    EXPECT_EQ(codesSent(), row.codes);
    ASSERT_EQ(prompt.boxes.size(), 1u);
    EXPECT_EQ(prompt.boxes[0].text, row.box);
    EXPECT_EQ(prompt.boxes[0].caption, "错误");
    EXPECT_EQ(prompt.boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(*core.table().record(0), before);
    EXPECT_EQ(ui.count("rowText 0 3 99") - rowTexts, row.rowShown ? 1 : 0);
    EXPECT_EQ(ui.events().back(), "busy off");
    EXPECT_EQ(ui.shownTexts().back(), "就绪");
  }
  EXPECT_EQ(dialogs.basicGiven.size(), 3u);  // not after the failed read
}

TEST_F(SettingsCommandsTest, CancelledDialogWritesNothing) {
  scan({fake(1)});
  EXPECT_EQ(commands.basicSettings(0), SettingsOutcome::Cancelled);
  EXPECT_EQ(codesSent(), std::vector<int>{0x06});
  EXPECT_TRUE(waits.empty());
  EXPECT_EQ(ui.shownTexts().back(), "就绪");
}

TEST_F(SettingsCommandsTest, TheDialogCannotRedirectTheWrite) {
  scan({fake(1), fake(2)});
  dialogs.basic = [](ModuleRecord& r) {
    r.mac = macOf(2);
    return true;
  };
  EXPECT_EQ(commands.basicSettings(0), SettingsOutcome::Done);
  const auto sent = transport.sent();
  const auto mac = macOf(1);
  ASSERT_EQ(sent.size(), sentBefore + 4);
  for (std::size_t i = sentBefore; i < sent.size(); ++i)
    EXPECT_EQ(Bytes(sent[i].frame.begin() + 4, sent[i].frame.begin() + 10), Bytes(mac.begin(), mac.end()));
}

}  // namespace
}  // namespace orvane
