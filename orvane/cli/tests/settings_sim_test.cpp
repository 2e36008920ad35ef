// The settings subcommands against trax-sim on loopback: what goes on the
// wire, what the module keeps, what the user is told.
#include <sys/stat.h>

#include <functional>

#include "settings_sim_fixture.h"
#include "orvane/protocol/settings_texts.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/forms/form_texts.h"

namespace orvane::cli {
namespace {

TEST_F(SettingsSimTest, BasicChangesNameIdAndAddressAndTheScanShowsIt) {
  start({"--module", kModule});
  ASSERT_EQ(run({"basic", "00.11.22.33.44.55", "--name", "二号线北站", "--id", "42", "--ip",
                 "192.168.10.77", "--wait", "0"}),
            kExitOk)
      << err.str();
  EXPECT_EQ(err.str(), "");
  const auto frames = sim->received();
  // The backup's three reads come before the write.
  EXPECT_EQ(TraxSimPeer::codes(frames),
            (std::vector<int>{0x01, 0x09, 0x06, 0x06, 0x06, 0x07, 0x08, 0x02, 0x06, 0x09}));
  const auto& write = frames[7];
  ASSERT_EQ(write.size(), 348u);
  EXPECT_EQ(std::vector<std::uint8_t>(write.begin(), write.begin() + 4),
            (std::vector<std::uint8_t>{0xAA, 0x5C, 0x01, 0x02}));
  EXPECT_NE(out.str().find("名称: 二号线北站\n"), std::string::npos);

  const auto scan = scanJson();
  ASSERT_EQ(scan.size(), 1u);
  EXPECT_EQ(scan[0]["name"], "二号线北站");
  EXPECT_EQ(scan[0]["moduleId"], 42);
  EXPECT_EQ(scan[0]["ip"], "192.168.10.77");
}

TEST_F(SettingsSimTest, RefusedInputsShowTheDialogsMessageAndSendNothing) {
  start({"--module", kModule});
  struct Row {
    std::vector<std::string> args;
    std::string_view message;
  };
  const Row rows[] = {
      {{"basic", kMac, "--name", std::string(65, 'n')}, forms::texts::kNameTooLong},
      {{"basic", kMac, "--name", std::string(64, 'n'), "--description", std::string(257, 'd')},
       forms::texts::kDescriptionTooLong},
      {{"basic", kMac, "--id", "1000000000"}, forms::texts::kModuleIdNetwork},
      {{"basic", kMac, "--ip", "192.168.10.255"}, forms::texts::kIpInvalid},
      {{"basic", kMac, "--ip", "224.0.0.1", "--id", "1000000000"}, forms::texts::kModuleIdNetwork},
      {{"advanced", kMac, "--master-timeout", "0"}, forms::texts::kMasterTimeout},
      {{"advanced", kMac, "--master-timeout", "10", "--slave-timeout", "abc"}, forms::texts::kSlaveTimeout},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(run(row.args), kExitFailure) << row.args[2];
    EXPECT_EQ(err.str(), "错误: " + std::string(row.message) + "\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(sim->received().empty()) << row.args[2];
  }
}

TEST_F(SettingsSimTest, UsageErrorsSendNothing) {
  start({"--module", kModule});
  const auto fifo = dir.path() / "peers.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"basic"},
           {"basic", "00-11-22-33-44"},
           {"basic", kMac, "--id", "-1"},
           {"basic", kMac, "--ip", "10.0.0"},
           {"basic", kMac, "--dhcp", "--ip", "10.0.0.1"},
           {"basic", kMac, "--wait", "soon"},
           {"peers", kMac, "--set", (dir.path() / "none.json").string()},
           {"peers", kMac, "--set", fifo.string()},  // refused at once, not waited on
           {"restore", kMac, "--force"}}) {
    EXPECT_EQ(run(args), kExitUsage) << ::testing::PrintToString(args);
    EXPECT_TRUE(sim->received().empty());
  }
}

TEST_F(SettingsSimTest, TheEditorsRefusalsComeBeforeAnyFrame) {
  start({"--module", R"({"mac":"00-11-22-33-44-55","statusFlags":"0x0011"})",
         "--module", R"({"mac":"00-11-22-33-44-56","firmwareVersion":"3.2.0.1"})",
         "--module", R"({"mac":"00-11-22-33-44-57","firmwareVersion":"5.0.0.0"})",
         "--module", R"({"mac":"00-11-22-33-44-58","runMode":"bootloader"})"});
  struct Row {
    std::string mac;
    std::string message;
    int status;
  };
  const std::string warning = "警告: ";
  const Row rows[] = {
      {"00-11-22-33-44-55", warning + std::string(texts::kManualReset) + "\n", kExitFailure},
      {"00-11-22-33-44-56", warning + std::string(texts::kModuleTooOld) + "\n", kExitFailure},
      {"00-11-22-33-44-57", warning + std::string(texts::kToolTooOld) + "\n", kExitFailure},
      {"00-11-22-33-44-58", "该模块处于BOOTLOAD状态，无法执行此命令。\n", kExitFailure},
      {"00-11-22-33-44-99", "未找到模块: 00.11.22.33.44.99\n", kExitFailure},
  };
  // The scan: discovery, then per module its version read and, when
  // compatible, its basic settings read.
  const std::size_t scanFrames = 1 + 4 + 1;
  for (const auto* command : {"basic", "advanced", "peers"}) {
    for (const auto& row : rows) {
      EXPECT_EQ(run({command, row.mac}), row.status);
      EXPECT_EQ(err.str(), row.message) << command << " " << row.mac;
      EXPECT_TRUE(afterScan(sim->received(), scanFrames).empty()) << command << " " << row.mac;
    }
  }
}

// Without a valid image every module counts as too old; the editor's warning
// stays as it is, and a hint names the file. A FIFO is no image either, and
// the scan's compatibility check does not wait on it.
TEST_F(SettingsSimTest, AFirmwareFileThatCannotBeUsedIsNamedAfterTheWarning) {
  start({"--module", kModule});
  const auto image = dir.path() / "fw.bin";
  struct Row {
    std::function<void()> make;
    std::string problem;
  };
  const Row rows[] = {
      {[&] { std::filesystem::remove(image); }, "文件不存在: " + image.string()},
      {[&] { ::mkfifo(image.c_str(), 0600); }, "无法读取文件: " + image.string() + ": 不是普通文件"},
      {[&] {
         std::filesystem::remove(image);
         writeFile(image, std::vector<std::uint8_t>(100, 0x41));
       },
       image.string() + " 不是有效的固件文件"},
  };
  for (const auto& row : rows) {
    row.make();
    EXPECT_EQ(run({"basic", kMac}), kExitFailure);
    EXPECT_EQ(err.str(), "警告: " + std::string(texts::kModuleTooOld) +
                             "\n提示: 兼容性检查所用的固件文件 (Lumen_.ini 的 FirmwareFileName): " +
                             row.problem + "\n");
  }
}

TEST_F(SettingsSimTest, FailedWritesAndReReadsSayWhatTheEditorSays) {
  start({"--module", kModule, "--fault", std::string(kMac) + ":result,value=5,codes=2+3+4",
         "--module", R"({"mac":"00-11-22-33-44-56","name":"旧"})",
         "--fault", "00-11-22-33-44-56:silentAfterWrite"});
  struct Row {
    std::vector<std::string> args;
    std::string_view box;
  };
  const std::string peers = (dir.path() / "peers.json").string();
  writeFile(peers, {'[', ']'});
  const Row rows[] = {
      {{"basic", kMac, "--name", "新", "--wait", "0"}, texts::kWriteBasicFailed},
      {{"advanced", kMac, "--master-timeout", "9"}, texts::kWriteAdvancedFailed},
      {{"peers", kMac, "--set", peers}, texts::kWritePeersFailed},
      {{"basic", "00-11-22-33-44-56", "--name", "新", "--wait", "0"}, texts::kRereadBasicFailed},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(run(row.args), kExitFailure) << row.args[0];
    EXPECT_EQ(err.str(), "错误: " + std::string(row.box) + "\n");
  }
  const auto scan = scanJson();
  EXPECT_EQ(scan[0]["name"], "一号线主站");  // refused by the module
  EXPECT_EQ(scan[1]["name"], "新");          // taken by the module, missed by the re-read
}

TEST_F(SettingsSimTest, AdvancedSettingsKeepTheReservedValues) {
  start({"--module", kModule});
  ASSERT_EQ(run({"advanced", kMac, "--master-timeout", "-1", "--slave-timeout", "5abc"}), kExitOk)
      << err.str();
  const auto frames = afterScan(sim->received(), 3);
  ASSERT_EQ(TraxSimPeer::codes(frames), (std::vector<int>{0x07, 0x06, 0x07, 0x08, 0x03}));
  EXPECT_EQ(std::vector<std::uint8_t>(frames[4].begin() + 10, frames[4].end() - 1),
            (std::vector<std::uint8_t>{7, 0, 0, 0, 0x2C, 1, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 5, 0, 0, 0}));
  ASSERT_EQ(run({"advanced", kMac, "--json"}), kExitOk);
  const auto j = nlohmann::json::parse(out.str());
  EXPECT_EQ(j["masterTimeoutMs"], 4294967295u);
  EXPECT_EQ(j["slaveTimeoutSec"], 5);
  EXPECT_EQ(j["reservedB"], 300);
}

}  // namespace
}  // namespace orvane::cli
