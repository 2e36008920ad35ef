// Every way the upgrade fails: its text, the final progress 100 before the
// box, nothing sent afterwards, the table untouched; and the two polling
// phases with their 201 attempts.
#include <gtest/gtest.h>

#include "orvane/firmware/upgrade_texts.h"
#include "orvane/protocol/user_texts.h"
#include "upgrade_fixture.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using namespace std::chrono_literals;

class UpgradeFailureTest : public UpgradeFixture {
 protected:
  UpgradeFailureTest() {
    prompt.onBox = [this] { progressAtBox.push_back(upgrade.progress().latest()); };
  }
  std::vector<int> progressAtBox;
};

TEST_F(UpgradeFailureTest, EachFailureEndsWithItsTextAfterProgress100) {
  struct Row {
    const char* what;
    BootFaults faults;
    bool bootImage;
    std::string text;
    std::uint8_t lastCode;
  };
  const auto silent = [](std::uint8_t code) {
    BootFaults f;
    f.silent = {code};
    return f;
  };
  const auto refused = [](std::uint8_t code, std::uint8_t value) {
    BootFaults f;
    f.result = {{code, value}};
    return f;
  };
  BootFaults failBlock2;
  failBlock2.failBlock = 2;
  BootFaults silentAfterRestart;
  silentAfterRestart.silentAfterRestart = true;
  const Row rows[] = {
      {"no EnterBootLoader reply", silent(0x0C), false, "设置Boot Loader模式失败！", 0x0C},
      {"boot loader silent", silent(0xE1), false, "无法获得Boot Load 版本，请检查模块。", 0xE1},
      {"erase refused", refused(0xE3, 1), false, "擦除固件失败！", 0xE3},
      {"erase unanswered", silent(0xE3), false, "擦除固件失败！", 0xE3},
      {"block 2 refused", failBlock2, false, "下载固件失败！", 0xE4},
      {"verification refused", refused(0xE5, 0x25), false, "固件校验失败！", 0xE5},
      {"restart refused", refused(0xE6, 2), false, "模块重启失败！", 0xE6},
      {"system program silent after restart", silentAfterRestart, false,
       "无法获得系统版本，请检查模块。", 0x09},
      {"boot loader silent after restart", silentAfterRestart, true,
       "无法获得Boot Load 版本，请检查模块。", 0xE1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    image = upgradeImage(1001, row.bootImage);
    writeFile(imagePath(), image);
    table({module(1, kRunModeSystemProgram)}, row.faults);
    const auto before = *core.table().record(0);
    progressAtBox.clear();
    ASSERT_TRUE(upgradeRow(0));

    const auto boxes = prompt.boxes();
    EXPECT_EQ(boxes.back().text, row.text);
    EXPECT_EQ(boxes.back().caption, "错误");
    EXPECT_EQ(boxes.back().icon, MessageIcon::Error);
    EXPECT_EQ(progressAtBox.back(), 100);  // the dialog is closed before the box
    EXPECT_EQ(progressValues().back(), 100);
    EXPECT_EQ(upgradeCodes().back(), row.lastCode);
    EXPECT_EQ(upgrade.outcome().result, UpgradeResult::Failed);
    EXPECT_EQ(upgrade.outcome().text, row.text);
    EXPECT_EQ(*core.table().record(0), before);
    EXPECT_TRUE(core.status().displayEnabled());
  }
}

TEST_F(UpgradeFailureTest, ImageThatFailsItsCheckReportsOnly100) {
  struct Row {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  auto badCheck = upgradeImage(600);
  badCheck.back() ^= 0x01;
  auto tooShort = upgradeImage(38);
  tooShort.pop_back();
  const Row rows[] = {
      {"wrong check byte", badCheck},
      {"37 bytes", tooShort},
      {"other magic", firmwareImage({0, 0, 0, 4}, "P-TRAX100 ", 100)},
  };
  table({module(1, kRunModeSystemProgram)});
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    writeFile(imagePath(), row.bytes);
    const auto progressBefore = progressValues().size();
    ASSERT_TRUE(upgradeRow(0));
    EXPECT_TRUE(upgradeCodes().empty());
    EXPECT_EQ(progressValues().size(), progressBefore + 1);
    EXPECT_EQ(progressValues().back(), 100);
    EXPECT_EQ(prompt.boxes().back().text, imagePath().string() + "\n不是有效的固件文件，请重新选择。");
    EXPECT_EQ(upgrade.progress().latest(), 100);  // what a dialog opened late finds
  }
  std::filesystem::remove(imagePath());
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(upgrade.outcome().text, imagePath().string() + "\n不是有效的固件文件，请重新选择。");
}

TEST_F(UpgradeFailureTest, CancelledConfirmationReports100AndSendsNothing) {
  table({module(1, kRunModeSystemProgram)});
  prompt.answers = {MessageAnswer::Ok, MessageAnswer::Cancel};
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_TRUE(upgradeCodes().empty());
  EXPECT_EQ(progressValues(), std::vector<int>{100});
  EXPECT_EQ(prompt.boxes().size(), 2u);  // no message after the cancel
  EXPECT_EQ(upgrade.outcome().result, UpgradeResult::Cancelled);
}

TEST_F(UpgradeFailureTest, BootLoaderPollingTakesAtMost201AttemptsOf100Ms) {
  struct Row {
    int silentFor;
    bool succeeds;
    int attempts;
  };
  const Row rows[] = {{0, true, 1}, {200, true, 201}, {201, false, 201}, {1000, false, 201}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.silentFor);
    BootFaults faults;
    faults.bootInfoSilentFor = row.silentFor;
    table({module(1, kRunModeSystemProgram)}, faults);
    const auto slept = clock.slept();
    ASSERT_TRUE(upgradeRow(0));
    int attempts = 0;
    for (const auto code : upgradeCodes()) {
      if (code == 0xE3) break;
      attempts += code == 0xE1;
    }
    EXPECT_EQ(attempts, row.attempts);
    // Each unanswered attempt lasts its 100 ms: the fake transport's
    // time-out is instant, so the clock waited out the rest.
    EXPECT_EQ(clock.slept() - slept, 100ms * std::min(row.silentFor, 201));
    EXPECT_EQ(upgrade.outcome().result,
              row.succeeds ? UpgradeResult::Succeeded : UpgradeResult::Failed);
  }
}

TEST_F(UpgradeFailureTest, PollingLeavesNoStatusTextOnScreen) {
  BootFaults faults;
  faults.bootInfoSilentFor = 5;
  table({module(1, kRunModeSystemProgram)}, faults);
  const auto shownBefore = ui.shownTexts().size();
  ASSERT_TRUE(upgradeRow(0));
  const auto shown = ui.shownTexts();
  for (std::size_t i = shownBefore; i < shown.size(); ++i)
    EXPECT_NE(shown[i], texts::kReceiveFailed);
  EXPECT_TRUE(core.status().displayEnabled());
  // A failure outside the polling phases is shown as usual.
  BootFaults erase;
  erase.silent = {0xE3};
  table({module(1, kRunModeSystemProgram)}, erase);
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(ui.count("status " + std::string(texts::kReceiveFailed)), 1);
}

}  // namespace
}  // namespace orvane
