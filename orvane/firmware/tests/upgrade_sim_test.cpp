// The upgrade against trax-sim's boot loader on loopback: the module ends up
// holding the image and reporting its version, each fault of the boot loader
// ends the run with its text, and the run can then be repeated.
#include <gtest/gtest.h>

#include <algorithm>

#include "orvane/firmware/firmware_upgrade.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "sim_module.h"
#include "test_support/temp_dir.h"
#include "upgrade_fakes.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using namespace std::chrono_literals;

constexpr MacAddress kMac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
const std::string kModule = R"({"mac":"00-11-22-33-44-55","firmwareVersion":"4.1.0.3"})";

class UpgradeSimTest : public ::testing::Test {
 protected:
  // Starts the simulator and scans it, as the editor's first showing does.
  void start(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dump-dir", dir.path().string()});
    sim = std::make_unique<SimModule>(args);
    config.writeText("BroadcastAddress", "127.0.0.1");
    config.writeInt("BroadcastPort", sim->endpoint().port);
    config.writeText("FirmwareFileName", "fw.bin");
    ui.status = &core.status();
    core.loadSettings();
    ASSERT_EQ(core.link().destination(), sim->endpoint());
    scan();
  }
  void scan() {
    core.runOperation(kOperationScan, 0);
    ui.rows.clear();
    for (const auto& r : core.table().snapshot()) ui.rows.push_back(macText(r.mac));
  }
  bool upgradeRow(int row) {
    const bool started = upgrade.start(row);
    core.worker().end(BackgroundOperation::kNoLimit);
    return started;
  }
  std::filesystem::path dump(const char* area) const {
    return dir.path() / (std::string("00-11-22-33-44-55-") + area + ".bin");
  }
  static UpgradeTiming fastPolling() {
    UpgradeTiming timing;
    timing.pollPeriod = 5ms;  // 201 attempts in about a second
    return timing;
  }

  test_support::TempDir dir;
  ConfigStore config{dir.path() / "Lumen_.ini"};
  RecordingUi ui;
  UpgradePrompt prompt;
  ProcessFlags flags;
  UdpTransport transport;
  OrvaneViewCore core{ui, prompt, transport, config, flags};
  FirmwareUpgrade upgrade{core, fastPolling()};
  std::unique_ptr<SimModule> sim;
};

TEST_F(UpgradeSimTest, ModuleHoldsTheImageAndReportsItsNewVersion) {
  struct Row {
    bool bootImage;
    std::size_t size;
    const char* area;
  };
  const Row rows[] = {{false, 3001, "system"}, {true, 1002, "boot"}};
  start({"--module", kModule});
  for (const auto& row : rows) {
    SCOPED_TRACE(row.area);
    const auto image = upgradeImage(row.size, row.bootImage, {7, 0, 2, 4});
    writeFile(dir.path() / "fw.bin", image);
    ASSERT_TRUE(upgradeRow(0));
    EXPECT_EQ(upgrade.outcome().result, UpgradeResult::Succeeded) << upgrade.outcome().text;
    EXPECT_EQ(readBytes(dump(row.area)), Bytes(image.begin(), image.end() - 1));
    // Only the fresh scan at the end puts the new version into the table.
    const auto record = core.table().record(0);
    EXPECT_EQ(core.table().count(), 1);
    EXPECT_EQ(record->runMode, kRunModeSystemProgram);
    const auto& version = row.bootImage ? record->versions.bootVersion
                                        : record->versions.firmwareVersion;
    EXPECT_EQ(version, (std::array<std::uint8_t, 4>{7, 0, 2, 4}));
  }
}

TEST_F(UpgradeSimTest, ModuleInItsBootLoaderGetsNoEnterBootLoader) {
  start({"--log", "--module", R"({"mac":"00-11-22-33-44-55","runMode":"bootloader"})"});
  sim->loggedCodesUntilDiscovery();  // the first scan
  writeFile(dir.path() / "fw.bin", upgradeImage(700));
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(upgrade.outcome().result, UpgradeResult::Succeeded) << upgrade.outcome().text;
  EXPECT_EQ(prompt.boxes()[1].text, "系统程序升级:\n\n从版本：\t到版本：\n\n----\t\tV4.1.0.5");
  const auto codes = sim->loggedCodesUntilDiscovery();  // up to the fresh scan
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 0xE4), 2);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x0C), 0);
  // The system program it now holds runs after the restart.
  EXPECT_EQ(core.table().record(0)->runMode, kRunModeSystemProgram);
}

TEST_F(UpgradeSimTest, NeverAnsweringBootLoaderCosts201AttemptsOnTheWire) {
  start({"--log", "--module", kModule, "--fault",
         "00-11-22-33-44-55:bootLoaderSilent,codes=0xE1,times=201"});
  sim->loggedCodesUntilDiscovery();
  writeFile(dir.path() / "fw.bin", upgradeImage(700));
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(upgrade.outcome().text, "无法获得Boot Load 版本，请检查模块。");
  scan();  // its discovery marks the end of the run in the log
  const auto codes = sim->loggedCodesUntilDiscovery();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 0xE1), 201);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x0C), 1);
  // A 202nd attempt would have been answered; the next run is.
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(upgrade.outcome().result, UpgradeResult::Succeeded) << upgrade.outcome().text;
}

TEST_F(UpgradeSimTest, EachFaultEndsTheRunWithItsTextAndTheRunCanBeRepeated) {
  struct Row {
    std::string fault;
    std::string text;
  };
  const Row rows[] = {
      {"neverEnterBootLoader,times=1", "设置Boot Loader模式失败！"},
      {"eraseFails,times=1", "擦除固件失败！"},
      {"failBlock,block=3,times=1", "下载固件失败！"},
      {"verifyFails,times=1", "固件校验失败！"},
      {"restartFails,times=1", "模块重启失败！"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    RecordingUi rowUi;
    UpgradePrompt rowPrompt;
    test_support::TempDir rowDir;
    SimModule rowSim({"--dump-dir", rowDir.path().string(), "--module", kModule, "--fault",
                      "00-11-22-33-44-55:" + row.fault});
    ConfigStore rowConfig(rowDir.path() / "Lumen_.ini");
    rowConfig.writeText("FirmwareFileName", "fw.bin");
    const auto image = upgradeImage(2000);
    writeFile(rowDir.path() / "fw.bin", image);
    OrvaneViewCore view(rowUi, rowPrompt, transport, rowConfig, flags);
    FirmwareUpgrade rowUpgrade(view, fastPolling());
    rowUi.status = &view.status();
    view.loadSettings();
    view.setDestination(rowSim.endpoint());
    view.runOperation(kOperationScan, 0);
    rowUi.rows = {macText(kMac)};

    ASSERT_TRUE(rowUpgrade.start(0));
    view.worker().end(BackgroundOperation::kNoLimit);
    EXPECT_EQ(rowUpgrade.outcome().text, row.text);
    EXPECT_EQ(rowUpgrade.progress().latest(), 100);
    // Again, with the table as the failed run left it.
    ASSERT_TRUE(rowUpgrade.start(0));
    view.worker().end(BackgroundOperation::kNoLimit);
    EXPECT_EQ(rowUpgrade.outcome().result, UpgradeResult::Succeeded) << rowUpgrade.outcome().text;
    EXPECT_EQ(readBytes(rowDir.path() / "00-11-22-33-44-55-system.bin"),
              Bytes(image.begin(), image.end() - 1));
  }
}

// The module's silence is counted in requests, not in time: the upgrade's 201
// attempts all go unanswered however slowly the machine runs them.
TEST_F(UpgradeSimTest, ModuleSilentAfterRestartThenBackWithItsNewVersion) {
  start({"--module", kModule, "--fault", "00-11-22-33-44-55:silentAfterRestart,value=201,times=1"});
  writeFile(dir.path() / "fw.bin", upgradeImage(700, false, {1, 0, 0, 4}));
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(upgrade.outcome().text, "无法获得系统版本，请检查模块。");
  EXPECT_EQ(core.table().record(0)->versions.firmwareVersion,
            (std::array<std::uint8_t, 4>{3, 0, 1, 4}));  // the table as it was
  // The attempts during the restart itself were not counted: a few more stay unanswered.
  BootLoaderRequests requests(core.link());
  bool back = false;
  for (int i = 0; i < 100 && !back; ++i) back = requests.readSystemInfo(kMac, 100);
  ASSERT_TRUE(back);
  ASSERT_TRUE(upgradeRow(0));
  EXPECT_EQ(upgrade.outcome().result, UpgradeResult::Succeeded) << upgrade.outcome().text;
  EXPECT_EQ(core.table().record(0)->versions.firmwareVersion,
            (std::array<std::uint8_t, 4>{1, 0, 0, 4}));
}

}  // namespace
}  // namespace orvane
