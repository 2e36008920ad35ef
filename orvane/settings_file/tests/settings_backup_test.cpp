#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "orvane/protocol/tests/settings_commands_fixture.h"
#include "orvane/settings_file/settings_backup.h"
#include "orvane/settings_file/settings_document.h"

namespace orvane::settings_file {
namespace {

using namespace std::chrono;
using orvane::testing::SettingsCommandsTest;

const auto kNoon = sys_days{2026y / December / 7} + hours(12);

class SettingsBackupTest : public SettingsCommandsTest {
 protected:
  SettingsBackupTest() { core.link().setWriteGuard(&backup); }

  std::optional<ModuleSettings> backedUp(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return readSettingsDocument(text.str()).settings;
  }

  std::filesystem::path backups = dir.path() / "state" / "trax" / "backups";
  SettingsBackup backup{backups, prompt, [] { return kNoon; }};
};

TEST_F(SettingsBackupTest, EveryWriteIsPrecededByABackupOfTheSettingsAsRead) {
  const struct {
    const char* command;
    int writeCode;
    std::function<SettingsOutcome(SettingsCommands&)> run;
  } rows[] = {
      {"basic", 0x02, [](SettingsCommands& c) { return c.basicSettings(0); }},
      {"advanced", 0x03, [](SettingsCommands& c) { return c.advancedSettings(0); }},
      {"peers", 0x04, [](SettingsCommands& c) { return c.peerSettings(0); }},
      {"restore", 0x0A, [](SettingsCommands& c) { return c.restoreFactory(0); }},
  };
  dialogs.basic = [](ModuleRecord& r) { return setTextField(r.name, "new"), true; };
  dialogs.advanced = [](AdvancedSettings& s) { return s.masterTimeoutMs = 900, true; };
  dialogs.peers = [](std::vector<PeerEntry>& e) { return e.assign(2, PeerEntry{}), true; };
  scan({fake(1)});
  const auto stem = backupFileStem(fakes[0].module.mac, kNoon);
  EXPECT_EQ(stem, "00-11-22-33-00-01_20261207T120000Z");
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const auto& row = rows[i];
    const auto before = readModuleSettings(core.link(), fakes[0].module.mac);
    ASSERT_TRUE(before);
    sentBefore = transport.sent().size();
    EXPECT_EQ(row.run(commands), SettingsOutcome::Done) << row.command;
    const auto codes = codesSent();
    const auto write = std::find(codes.begin(), codes.end(), row.writeCode);
    ASSERT_GE(write - codes.begin(), 3) << row.command;
    EXPECT_EQ(std::vector<int>(write - 3, write), (std::vector<int>{0x06, 0x07, 0x08})) << row.command;
    const auto file = backups / (stem + (i ? "_" + std::to_string(i + 1) : "") + ".json");
    EXPECT_EQ(backup.lastBackup(), file);
    EXPECT_EQ(backedUp(file), before) << row.command;
  }
  EXPECT_EQ(fakes[0].peers.size(), 2u);  // the writes went through
}

// Two savers with their own locks stand for two processes backing up the same
// module within one second: every backup gets a file of its own.
TEST_F(SettingsBackupTest, SaversInTheSameSecondNeverShareAFile) {
  scan({fake(1)});
  const auto settings = readModuleSettings(core.link(), fakes[0].module.mac);
  ASSERT_TRUE(settings);
  SettingsBackup other{backups, prompt, [] { return kNoon; }};
  constexpr int kEach = 20;
  std::vector<std::string> reasons(2 * kEach);
  auto saveMany = [&](SettingsBackup& saver, int first) {
    for (int i = 0; i < kEach; ++i) reasons[first + i] = saver.save(*settings);
  };
  std::thread second(saveMany, std::ref(other), kEach);
  saveMany(backup, 0);
  second.join();
  for (const auto& reason : reasons) EXPECT_EQ(reason, "");
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(backups)) {
    EXPECT_EQ(entry.path().extension(), ".json") << entry.path();
    EXPECT_EQ(backedUp(entry.path()), settings) << entry.path();
    ++files;
  }
  EXPECT_EQ(files, reasons.size());
}

TEST_F(SettingsBackupTest, AFailedBackupAsksAndCancelSendsNothing) {
  orvane::testing::writeFile(dir.path() / "state", {});  // the backup directory cannot be made
  dialogs.advanced = [](AdvancedSettings& s) { return s.masterTimeoutMs = 900, true; };
  scan({fake(1)});
  prompt.answers = {MessageAnswer::Cancel};
  EXPECT_EQ(commands.advancedSettings(0), SettingsOutcome::WriteFailed);
  EXPECT_EQ(codesSent(), (std::vector<int>{0x07, 0x06, 0x07, 0x08}));
  ASSERT_EQ(prompt.boxes.size(), 2u);
  EXPECT_EQ(prompt.boxes[0].caption, "警告");
  EXPECT_EQ(prompt.boxes[0].buttons, MessageButtons::OkCancel);
  EXPECT_NE(prompt.boxes[0].text.find("仍然写入模块吗？"), std::string::npos);
  EXPECT_EQ(prompt.boxes[1].text, "设置高级设置出错！");

  sentBefore = transport.sent().size();
  prompt.answers = {MessageAnswer::Ok};  // the user writes without a backup
  EXPECT_EQ(commands.advancedSettings(0), SettingsOutcome::Done);
  EXPECT_EQ(codesSent().back(), 0x03);
  EXPECT_TRUE(backup.lastBackup().empty());
}

}  // namespace
}  // namespace orvane::settings_file
