// orvane-cli image and upgrade: the image verdict, the progress bar, and
// upgrades of a trax-sim module on loopback with their exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "orvane/cli/firmware_commands.h"
#include "orvane/cli/upgrade_terminal.h"
#include "orvane/firmware/firmware_upgrade.h"
#include "orvane/firmware/tests/sim_module.h"
#include "orvane/firmware/tests/upgrade_fakes.h"
#include "orvane/protocol/config_store.h"
#include "orvane/protocol/tests/fake_transport.h"
#include "test_support/child_process.h"
#include "test_support/temp_dir.h"

namespace orvane::cli {
namespace {

using namespace orvane::testing;
using namespace std::chrono_literals;

const std::string kMacArg = "00-11-22-33-44-55";
const std::string kModule = R"({"mac":"00-11-22-33-44-55","firmwareVersion":"4.1.0.3"})";

TEST(ProgressBar, WidthAndPercentage) {
  EXPECT_EQ(progressBarText(0), "[" + std::string(40, '.') + "]   0%");
  EXPECT_EQ(progressBarText(51), "[" + std::string(20, '#') + std::string(20, '.') + "]  51%");
  EXPECT_EQ(progressBarText(100), "[" + std::string(40, '#') + "] 100%");
  EXPECT_EQ(progressBarText(130), progressBarText(100));
}

class FirmwareCommandsTest : public ::testing::Test {
 protected:
  FirmwareCommandsTest() {
    ConfigStore config(iniPath());
    config.writeText("FirmwareFileName", "fw.bin");
    config.writeText("BroadcastAddress", "127.0.0.1");  // nothing leaves loopback
    config.writeInt("BroadcastPort", 9);
    writeFile(dir.path() / "fw.bin", image);
  }
  std::filesystem::path iniPath() const { return dir.path() / "Lumen_.ini"; }
  int imageCommand(std::vector<std::string> args) {
    return runCli([&] { args.insert(args.begin(), "image"); return args; }(), {out, err});
  }
  // upgrade against `sim`, answering questions from `answers`.
  int upgrade(const SimModule& sim, std::vector<std::string> args, const std::string& answers = "") {
    GlobalOptions options;
    options.target = sim.endpoint();
    options.config = iniPath();
    std::istringstream in(answers);
    UpgradeTiming timing;
    timing.pollPeriod = 5ms;
    args.insert(args.begin(), kMacArg);
    UdpTransport transport;
    return runUpgradeWith(transport, options, args, {out, err}, in, timing);
  }
  std::filesystem::path dumpFile() const { return dir.path() / (kMacArg + "-system.bin"); }
  Bytes sentImage() const { return Bytes(image.begin(), image.end() - 1); }

  test_support::TempDir dir;
  std::vector<std::uint8_t> image = upgradeImage(1500, false, {5, 0, 1, 4});
  std::ostringstream out, err;
};

TEST_F(FirmwareCommandsTest, ImageVerdictKindVersionAndCheckByte) {
  const auto path = (dir.path() / "fw.bin").string();
  char check[8];
  std::snprintf(check, sizeof check, "0x%02X", image.back());
  EXPECT_EQ(imageCommand({path}), kExitOk);
  EXPECT_EQ(out.str(), "文件: " + path + "\n结论: 有效\n类型: 2 系统程序 (M4-TRAX100)\n"
                       "版本: V4.1.0.5\n校验字节: " + check + "\n");

  out.str("");
  writeFile(dir.path() / "boot.bin", upgradeImage(38, true, {1, 2, 3, 4}));
  EXPECT_EQ(imageCommand({(dir.path() / "boot.bin").string()}), kExitOk);
  EXPECT_NE(out.str().find("类型: 1 BOOTLOAD (BOOTLOADER)\n版本: V4.3.2.1\n"), std::string::npos);

  out.str("");
  auto bad = image;
  bad[100] ^= 1;
  writeFile(dir.path() / "bad.bin", bad);
  EXPECT_EQ(imageCommand({(dir.path() / "bad.bin").string()}), kExitFailure);
  EXPECT_NE(out.str().find("结论: 无效"), std::string::npos);
  EXPECT_NE(err.str().find("不是有效的固件文件"), std::string::npos);

  EXPECT_EQ(imageCommand({}), kExitUsage);
  EXPECT_EQ(imageCommand({"a.bin", "b.bin"}), kExitUsage);
}

TEST(ProgressReport, ABarOnATerminalALineEachTenthOtherwise) {
  const int values[] = {1, 2, 3, 5, 35, 51, 95, 96, 98, 100};
  std::ostringstream terminal, file;
  TerminalUpgradeUi bar(terminal, true), lines(file, false);
  std::string expected;
  for (const int v : values) {
    bar.progress(v);
    lines.progress(v);
    expected += "\r" + progressBarText(v);
  }
  EXPECT_EQ(terminal.str(), expected + "\n");
  EXPECT_EQ(file.str(), "进度 35%\n进度 51%\n进度 95%\n");
}

TEST_F(FirmwareCommandsTest, UpgradeWithYesAsksAndReportsOnStandardErrorOnly) {
  SimModule sim({"--dump-dir", dir.path().string(), "--module", kModule});
  EXPECT_EQ(upgrade(sim, {"--yes"}), kExitOk) << err.str();
  EXPECT_EQ(readBytes(dumpFile()), sentImage());  // the default file: FirmwareFileName
  EXPECT_EQ(out.str(), "成功: 模块固件升级成功！\n");  // the result, nothing else
  const auto text = err.str();
  EXPECT_NE(text.find("警告: 升级固件吗？ [y/N] y (--yes)\n"), std::string::npos);
  EXPECT_NE(text.find("升级固件: 系统程序升级:\n\n从版本：\t到版本：\n\nV4.1.0.3\t\tV4.1.0.5"),
            std::string::npos);
  EXPECT_NE(text.find("进度 35%\n"), std::string::npos);  // block 1 of 1499 bytes
  EXPECT_EQ(text.find('\r'), std::string::npos);  // no bar off a terminal
}

TEST_F(FirmwareCommandsTest, QuestionsAnsweredOnTheTerminal) {
  struct Row {
    std::string answers;
    int status;
    bool upgraded;
  };
  const Row rows[] = {
      {"", kExitCancelled, false},        // end of input
      {"n\n", kExitCancelled, false},
      {"y\nno\n", kExitCancelled, false},  // the confirmation refused
      {"是\ny\n", kExitOk, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.answers);
    test_support::TempDir dumps;
    SimModule sim({"--dump-dir", dumps.path().string(), "--module", kModule});
    EXPECT_EQ(upgrade(sim, {}, row.answers), row.status);
    EXPECT_EQ(std::filesystem::exists(dumps.path() / (kMacArg + "-system.bin")), row.upgraded);
  }
}

TEST_F(FirmwareCommandsTest, FailuresAndRefusalsExitNonZeroWithTheirText) {
  struct Row {
    std::vector<std::string> simArgs;
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const auto other = (dir.path() / "other.bin").string();
  writeFile(other, Bytes(100, 0x41));
  const Row rows[] = {
      {{"--module", kModule, "--fault", kMacArg + ":eraseFails"}, {"--yes"}, kExitFailure,
       "错误: 擦除固件失败！\n"},
      {{"--module", kModule}, {other, "--yes"}, kExitFailure,
       "错误: " + other + "\n不是有效的固件文件，请重新选择。\n"},
      {{"--module", R"({"mac":"00-11-22-33-44-55","statusFlags":"0x0010"})"}, {"--yes"},
       kExitFailure,
       "警告: 模块处于手动复位状态，无法设置参数！\n如果需要设置模块参数，请将复位开关拨回非复位状态。\n"},
      {{"--module", R"({"mac":"00-11-22-33-44-56"})"}, {"--yes"}, kExitFailure,
       "orvane-cli upgrade: 未找到模块 00.11.22.33.44.55\n"},
      {{"--module", kModule}, {"--yes", "--force"}, kExitUsage,
       "orvane-cli upgrade: 未知参数: --force\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.err);
    err.str("");
    SimModule sim(row.simArgs);
    EXPECT_EQ(upgrade(sim, row.args), row.status);
    EXPECT_TRUE(err.str().ends_with(row.err)) << err.str();  // after the questions
  }
}

TEST_F(FirmwareCommandsTest, AFileThatCannotBeReadIsNamedBeforeAnythingIsSentOrAsked) {
  const auto missing = (dir.path() / "missing.bin").string();
  const auto fifo = (dir.path() / "fifo.bin").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto directory = dir.path().string();
  struct Row {
    std::vector<std::string> upgradeArgs;
    std::string file, message;
  };
  const Row rows[] = {
      {{missing}, missing, "文件不存在: " + missing},
      {{fifo}, fifo, "无法读取文件: " + fifo + ": 不是普通文件"},
      {{directory}, directory, "无法读取文件: " + directory + ": Is a directory"},
      {{}, "", "文件不存在: " + (dir.path() / "fw.bin").string()},  // FirmwareFileName, removed below
  };
  GlobalOptions options;
  options.config = iniPath();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message);
    if (row.file.empty()) std::filesystem::remove(dir.path() / "fw.bin");
    else {
      err.str("");
      EXPECT_EQ(imageCommand({row.file}), kExitUsage);
      EXPECT_EQ(err.str(), "orvane-cli image: " + row.message + "\n");
    }
    err.str("");
    FakeTransport transport;
    std::istringstream in("y\ny\n");
    auto args = row.upgradeArgs;
    args.insert(args.begin(), kMacArg);
    EXPECT_EQ(runUpgradeWith(transport, options, args, {out, err}, in, UpgradeTiming{}), kExitUsage);
    EXPECT_EQ(err.str(), "orvane-cli upgrade: " + row.message + "\n");  // no question before it
    EXPECT_TRUE(transport.sent().empty());
  }
}

TEST_F(FirmwareCommandsTest, TheProgramUpgradesAModule) {
  SimModule sim({"--dump-dir", dir.path().string(), "--module", kModule});
  const auto file = (dir.path() / "named.bin").string();
  writeFile(file, image);
  test_support::ChildProcess cli(TRAX_BIN_DIR "/orvane-cli",
                                 {"--target", sim.endpoint().text(), "--config", iniPath().string(),
                                  "upgrade", "00:11:22:33:44:55", file, "--yes"});
  std::vector<std::string> lines;
  while (auto line = cli.readLine()) lines.push_back(*line);
  EXPECT_EQ(cli.stop(), 0);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "成功: 模块固件升级成功！");
  EXPECT_EQ(readBytes(dumpFile()), sentImage());
}

}  // namespace
}  // namespace orvane::cli
