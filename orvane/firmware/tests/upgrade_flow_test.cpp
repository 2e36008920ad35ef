// The upgrade through the fake transport: the steps in order, the blocks on
// the wire, the confirmation, the start checks and the file choice.
#include <gtest/gtest.h>

#include "orvane/firmware/upgrade_texts.h"
#include "orvane/protocol/user_texts.h"
#include "upgrade_fixture.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using Codes = std::vector<std::uint8_t>;

using UpgradeFlowTest = UpgradeFixture;

TEST_F(UpgradeFlowTest, SystemProgramUpgradeRunsEveryStepInOrder) {
  table({module(1, kRunModeSystemProgram)});
  ASSERT_TRUE(upgradeRow(0));

  EXPECT_EQ(upgradeCodes(), (Codes{0x0C, 0xE1, 0xE3, 0xE4, 0xE4, 0xE5, 0xE6, 0x09,
                                   0x01, 0x09, 0x06}));  // the fresh scan last
  EXPECT_EQ(progressValues(), (std::vector<int>{1, 2, 3, 5, 51, 95, 96, 98, 100}));
  const auto boxes = prompt.boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].text, "升级固件吗？");
  EXPECT_EQ(boxes[0].caption, "警告");
  EXPECT_EQ(boxes[0].buttons, MessageButtons::OkCancel);
  // The image version is header bytes 32..35 (5, 0, 1, 4), not the check byte.
  EXPECT_EQ(boxes[1].text, "系统程序升级:\n\n从版本：\t到版本：\n\nV4.0.0.1\t\tV4.1.0.5");
  EXPECT_EQ(boxes[1].caption, "升级固件");
  EXPECT_EQ(boxes[1].icon, MessageIcon::Information);
  EXPECT_EQ(boxes[2].text, "模块固件升级成功！");
  EXPECT_EQ(boxes[2].caption, "成功");
  EXPECT_EQ(upgrade.outcome().result, UpgradeResult::Succeeded);
  EXPECT_EQ(ui.count("refreshList -1"), 2);  // the first scan and the fresh one
  EXPECT_TRUE(core.status().displayEnabled());
}

TEST_F(UpgradeFlowTest, BlocksTotalAndCheckByteOnTheWire) {
  struct Row {
    std::size_t imageSize;
    std::vector<std::size_t> sent;  // n + pad of each block
    std::uint32_t total;
    std::vector<int> progress;
  };
  const Row rows[] = {
      {38, {40}, 40, {1, 2, 3, 5, 95, 96, 98, 100}},
      {1001, {512, 488}, 1000, {1, 2, 3, 5, 51, 95, 96, 98, 100}},
      {1002, {512, 492}, 1004, {1, 2, 3, 5, 51, 95, 96, 98, 100}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.imageSize);
    image = upgradeImage(row.imageSize);
    writeFile(imagePath(), image);
    ui.rows.clear();
    table({module(1, kRunModeSystemProgram)});
    const auto progressBefore = progressValues().size();
    ASSERT_TRUE(upgradeRow(0));

    std::size_t offset = 0;
    std::uint16_t number = 0;
    std::vector<std::size_t> sent;
    for (const auto& f : upgradeFrames()) {
      if (f[3] == 0xE5) {
        EXPECT_EQ(f[11] | f[12] << 8 | f[13] << 16 | f[14] << 24, static_cast<int>(row.total));
        EXPECT_EQ(f[15], image.back());
      }
      if (f[3] != 0xE4) continue;
      const std::size_t n = f[17] | f[18] << 8;
      sent.push_back(n);
      EXPECT_EQ(f.size(), n + 20);
      EXPECT_EQ(f[10], 2);  // the system program's kind
      EXPECT_EQ(f[11] | f[12] << 8, ++number);
      EXPECT_EQ(static_cast<std::size_t>(f[13] | f[14] << 8), offset);
      const std::size_t data = std::min<std::size_t>(512, row.imageSize - 1 - offset);
      EXPECT_TRUE(std::equal(f.begin() + 19, f.begin() + 19 + static_cast<long>(data),
                             image.begin() + static_cast<long>(offset)));
      for (std::size_t k = data; k < n; ++k) EXPECT_EQ(f[19 + k], 0xFF);
      offset += data;
    }
    EXPECT_EQ(sent, row.sent);
    const auto values = progressValues();
    EXPECT_EQ(std::vector<int>(values.begin() + static_cast<long>(progressBefore), values.end()),
              row.progress);
  }
}

TEST_F(UpgradeFlowTest, ModuleInItsBootLoaderIsNotAskedToEnterIt) {
  table({module(1, kRunModeBootLoader)});
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(upgradeCodes(), (Codes{0xE1, 0xE3, 0xE4, 0xE4, 0xE5, 0xE6, 0x09, 0x01, 0xE1}));
  EXPECT_EQ(prompt.boxes()[1].text, "系统程序升级:\n\n从版本：\t到版本：\n\n----\t\tV4.1.0.5");
}

TEST_F(UpgradeFlowTest, BootLoaderImageShowsTheBootVersionAndWaitsWithReadBootInfo) {
  image = upgradeImage(600, true, {9, 8, 7, 2});
  writeFile(imagePath(), image);
  table({module(1, kRunModeSystemProgram)});
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(prompt.boxes()[1].text, "BOOTLOAD升级:\n\n从版本：\t到版本：\n\nV1.3.0.0\t\tV2.7.8.9");
  const auto frames = upgradeFrames();
  ASSERT_GE(frames.size(), 8u);
  EXPECT_EQ(frames[2][3], 0xE3);
  EXPECT_EQ(frames[2][10], 1);  // the boot loader's kind
  EXPECT_EQ(frames[6][3], 0xE6);
  EXPECT_EQ(frames[7][3], 0xE1);
}

TEST_F(UpgradeFlowTest, StartChecksRefuseBeforeAnythingIsSent) {
  struct Row {
    const char* what;
    FakeModule module;
    int row;
    std::deque<MessageAnswer> answers;
    std::vector<std::string> boxes;
    UpgradeResult result;
  };
  auto invalid = module(1, kRunModeSystemProgram);
  invalid.mac = {0x0A, 0x41, 0x5F, 0x00, 0x00, 0x01};
  const Row rows[] = {
      {"invalid MAC", invalid, 0, {}, {"该模块MAC地址无效，无法升级固件。"}, UpgradeResult::Refused},
      {"manual reset", module(1, 2, kFlagManualReset), 0, {}, {std::string(texts::kManualReset)},
       UpgradeResult::Refused},
      {"question cancelled", module(1, 2), 0, {MessageAnswer::Cancel}, {"升级固件吗？"},
       UpgradeResult::Cancelled},
      {"no row selected", module(1, 2), -1, {}, {}, UpgradeResult::None},
      {"row without a module", module(1, 2), 3, {}, {}, UpgradeResult::None},
  };
  for (const auto& row : rows) {
    UpgradePrompt p;
    p.answers = row.answers;
    FakeTransport t;
    OrvaneViewCore view(ui, p, t, config, flags);
    view.loadSettings();
    FirmwareUpgrade u(view, {}, clock);
    t.responder = modulesResponder({row.module});
    view.runOperation(kOperationScan, 0);
    ui.rows = {macText(row.module.mac)};
    const auto before = t.sent().size();
    EXPECT_FALSE(u.start(row.row)) << row.what;
    EXPECT_FALSE(view.worker().recorded()) << row.what;
    EXPECT_EQ(t.sent().size(), before) << row.what;
    std::vector<std::string> texts;
    for (const auto& b : p.boxes()) texts.push_back(b.text);
    EXPECT_EQ(texts, row.boxes) << row.what;
    EXPECT_EQ(u.outcome().result, row.result) << row.what;
  }
  core.overrideProtocolType(kProtocolSerial);  // the command does nothing on the serial route
  EXPECT_FALSE(upgrade.start(0));
  EXPECT_TRUE(prompt.boxes().empty());
}

TEST_F(UpgradeFlowTest, FileChoice) {
  const auto other = dir.path() / "other.bin";
  writeFile(other, upgradeImage(100, false, {1, 1, 1, 4}));
  table({module(1, kRunModeSystemProgram)});

  config.writeInt("EnableSelectFirmware", 1);
  prompt.files = {other};
  ASSERT_TRUE(upgradeRow(0));
  ASSERT_EQ(prompt.choices().size(), 1u);
  EXPECT_EQ(prompt.choices()[0].initial, imagePath());
  EXPECT_EQ(prompt.choices()[0].filter, "Firmware Flies(*.bin)|*.bin||");
  EXPECT_EQ(upgrade.firmwarePath(), other);
  EXPECT_EQ(prompt.boxes()[1].text.substr(prompt.boxes()[1].text.size() - 8), "V4.1.1.1");

  EXPECT_FALSE(upgradeRow(0));  // the file choice cancelled
  EXPECT_EQ(upgrade.outcome().result, UpgradeResult::Cancelled);

  FirmwareUpgrade::StartOptions named;  // orvane-cli names the file itself
  named.file = other;
  ASSERT_TRUE(upgradeRow(0, named));
  EXPECT_EQ(prompt.choices().size(), 2u);

  config.writeInt("EnableSelectFirmware", 0);
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(prompt.choices().size(), 2u);
  EXPECT_EQ(upgrade.firmwarePath(), imagePath());
}

TEST_F(UpgradeFlowTest, DownloadSendsTheBytesTheCheckAccepted) {
  table({module(1, kRunModeSystemProgram)});
  const auto boot = bootLoaderResponder(module(1, kRunModeSystemProgram));
  const auto replacement = upgradeImage(1001, false, {7, 7, 7, 4});
  transport.responder = [&](const Bytes& frame) {
    if (frame[3] == 0xE3) writeFile(imagePath(), replacement);  // changed after the check
    return boot(frame);
  };
  ASSERT_TRUE(upgradeRow(0));
  Bytes sent;
  for (const auto& f : upgradeFrames())
    if (f[3] == 0xE4) sent.insert(sent.end(), f.begin() + 19, f.end() - 1);
  EXPECT_EQ(sent, Bytes(image.begin(), image.end() - 1));
}

TEST_F(UpgradeFlowTest, RunOnlyForTheModuleTheStartChecked) {
  table({module(1, kRunModeSystemProgram), module(2, kRunModeSystemProgram)});
  ASSERT_TRUE(upgradeRow(0));
  const auto before = transport.sent().size();
  const auto progressBefore = progressValues().size();
  upgrade.run(1);    // another module than the one checked
  upgrade.run(300);  // an index above 255
  EXPECT_EQ(transport.sent().size(), before);
  EXPECT_EQ(progressValues().size(), progressBefore + 2);
  EXPECT_EQ(progressValues().back(), 100);
}

}  // namespace
}  // namespace orvane
