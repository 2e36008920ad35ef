// orvane-cli: its command line, its output, and the scan through the core
// against modules on loopback. Every scan here goes to 127.0.0.1 or to a
// fake transport.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "orvane/cli/cli_options.h"
#include "orvane/cli/scan_output.h"
#include "orvane/cli/subcommands.h"
#include "orvane/protocol/tests/fake_modules.h"
#include "orvane/protocol/tests/image_file.h"
#include "orvane/protocol/tests/loopback_responder.h"
#include "orvane/protocol/config_store.h"
#include "orvane/protocol/user_texts.h"
#include "platform/gbk.h"
#include "test_support/child_process.h"
#include "test_support/temp_dir.h"

namespace orvane::cli {
namespace {

using namespace orvane::testing;

TEST(CliOptions, CommandLines) {
  struct Row {
    std::vector<std::string> args;
    std::string subcommand;
    bool ok;
  };
  const Row rows[] = {
      {{"scan"}, "scan", true},
      {{"--target", "127.0.0.1:5000", "scan", "--json"}, "scan", true},
      {{"--config", "/x/Lumen_.ini", "--target", "127.0.0.2:1", "scan"}, "scan", true},
      {{}, "", false},
      {{"--target"}, "", false},
      {{"--target", "127.0.0.1", "scan"}, "", false},  // no port
      {{"--target", "localhost:5000", "scan"}, "", false},
      {{"--target", "127.0.0.1:70000", "scan"}, "", false},
      {{"--verbose", "scan"}, "", false},
      {{"--interface", "eth0", "--interface", "eth1", "scan"}, "scan", true},
      {{"--interface", "", "scan"}, "", false},
  };
  for (const auto& row : rows) {
    const auto line = parseCommandLine(row.args);
    EXPECT_EQ(line.error.empty(), row.ok) << ::testing::PrintToString(row.args);
    if (row.ok) {
      EXPECT_EQ(line.subcommand, row.subcommand);
    }
  }
  const auto line = parseCommandLine({"--target", "127.0.0.1:5000", "--config", "a.ini", "scan", "--json"});
  EXPECT_EQ(line.options.target, (platform::Endpoint{0x7F000001, 5000}));
  EXPECT_EQ(line.options.config, std::filesystem::path("a.ini"));
  EXPECT_EQ(line.arguments, std::vector<std::string>{"--json"});
  EXPECT_EQ(parseCommandLine({"--interface", "a", "--interface", "b", "scan"}).options.interfaces,
            (std::vector<std::string>{"a", "b"}));
}

ModuleRecord record(std::uint8_t runMode) {
  ModuleRecord r;
  r.mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  r.currentIp = {10, 0, 0, 1};
  r.runMode = runMode;
  r.statusFlags = 0x11;
  r.moduleId = 42;
  setTextField(r.name, platform::utf8ToGbk("一号\t站"));
  r.versions = {{1, 0, 0, 4}, {5, 1}, {9, 2}, {3, 1, 0, 0}, 0x81};
  return r;
}

TEST(ScanOutput, RowsAreTheListColumns) {
  EXPECT_EQ(scanRowsText({record(2), record(1)}, 0),
            "00.1A.2B.3C.4D.5E\tM4-TRAX100\t10.00.00.01\t42\t一号 站\t\t"
            "系统程序-物理地址错误(警告)-手动复位状态\tV4.0.0.1\n"
            "00.1A.2B.3C.4D.5E\tM4-TRAX100\t10.00.00.01\t\t\t\t"
            "BOOTLOAD-物理地址错误(警告)-手动复位状态\tV4.0.0.1\n");
  EXPECT_EQ(scanRowsText({}, 0), "");
  auto answered = record(1);
  answered.interfaceName = "eth1";
  EXPECT_EQ(scanRowsText({answered}, 0).substr(scanRowsText({record(1)}, 0).size() - 1), "\teth1\n");
}

TEST(ScanOutput, JsonObjects) {
  const auto j = nlohmann::json::parse(scanJson({record(2), record(1)}, 0));
  ASSERT_EQ(j.size(), 2u);
  const auto& m = j[0];
  EXPECT_EQ(m["mac"], "00.1A.2B.3C.4D.5E");
  EXPECT_EQ(m["model"], "M4-TRAX100");
  EXPECT_EQ(m["ip"], "10.0.0.1");
  EXPECT_EQ(m["runMode"], 2);
  EXPECT_EQ(m["statusFlags"], 0x11);
  EXPECT_EQ(m["fixedId"], 0);
  EXPECT_EQ(m["moduleId"], 42);
  EXPECT_EQ(m["name"], "一号\t站");
  EXPECT_EQ(m["description"], "");
  EXPECT_EQ(m["status"], "系统程序-物理地址错误(警告)-手动复位状态");
  EXPECT_EQ(m["firmwareVersion"], "4.0.0.1");
  EXPECT_EQ(m["bootVersion"], "1.03");
  EXPECT_EQ(m["pwbVersion"], "1.05");
  EXPECT_EQ(m["pldVersion"], "2.09");
  EXPECT_EQ(m["switches"], "10000001");
  EXPECT_EQ(j[1]["firmwareVersion"], "----");  // as the panel shows a boot loader
  EXPECT_EQ(j[1]["switches"], "10000001");
  EXPECT_EQ(m["interface"], "");  // a single destination
  EXPECT_EQ(nlohmann::json::parse(scanJson({}, 0)), nlohmann::json::array());
}

class CliScanTest : public ::testing::Test {
 protected:
  CliScanTest() {
    writeFile(dir.path() / "fw.bin", firmwareImage({0, 0, 0, 4}));
    ConfigStore config(iniPath());
    config.writeText("FirmwareFileName", "fw.bin");
    // Belt and braces: even without --target nothing leaves loopback.
    config.writeText("BroadcastAddress", "127.0.0.1");
    config.writeInt("BroadcastPort", 9);
  }
  std::filesystem::path iniPath() const { return dir.path() / "Lumen_.ini"; }
  int run(std::vector<std::string> args) {
    return runCli(args, {out, err});
  }
  static FakeModule module(int n, std::uint8_t runMode) {
    FakeModule m;
    m.mac = macOf(n);
    m.runMode = runMode;
    m.name = platform::utf8ToGbk("站" + std::to_string(n));
    return m;
  }

  test_support::TempDir dir;
  std::ostringstream out, err;
};

TEST_F(CliScanTest, ScansModulesOnLoopback) {
  const auto answer = modulesResponder({module(1, 2), module(2, kRunModeBootLoader)});
  LoopbackResponder peer([&](const Bytes& request) {
    std::vector<Bytes> replies;
    for (const auto& a : answer(request)) replies.push_back(a.bytes);
    return replies;
  });
  const auto target = peer.endpoint().text();
  ASSERT_EQ(run({"--target", target, "--config", iniPath().string(), "scan", "--json"}), kExitOk);
  const auto j = nlohmann::json::parse(out.str());
  ASSERT_EQ(j.size(), 2u);
  EXPECT_EQ(j[0]["mac"], "00.11.22.33.00.01");
  EXPECT_EQ(j[0]["name"], "站1");
  EXPECT_EQ(j[1]["status"], "BOOTLOAD");
  EXPECT_EQ(j[1]["name"], "");
  const auto received = peer.received();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received[0], (Bytes{0xAA, 0x05, 0x00, 0x01, 0xAE}));
}

TEST_F(CliScanTest, NoModuleIsStillASuccessfulScan) {
  LoopbackResponder peer([](const Bytes&) { return std::vector<Bytes>{}; });
  EXPECT_EQ(run({"--target", peer.endpoint().text(), "--config", iniPath().string(), "scan"}), kExitOk);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "没有模块应答，查找请求发往 " + peer.endpoint().text() + "\n");
}

TEST_F(CliScanTest, SocketFailureExitsNonZeroWithTheStatusText) {
  FakeTransport transport;
  transport.failSend = true;
  GlobalOptions options;
  options.config = iniPath();
  EXPECT_EQ(runScanWith(transport, options, {}, {out, err}), kExitFailure);
  EXPECT_EQ(err.str(), std::string(texts::kSendFailed) + "\n");
  EXPECT_EQ(out.str(), "");
}

TEST_F(CliScanTest, UsageErrors) {
  EXPECT_EQ(run({"frobnicate"}), kExitUsage);
  EXPECT_EQ(run({"--config", (dir.path() / "none.ini").string(), "scan"}), kExitUsage);
  EXPECT_EQ(run({"--config", iniPath().string(), "scan", "--xml"}), kExitUsage);
  EXPECT_EQ(run({"--help"}), kExitOk);
  EXPECT_NE(out.str().find("scan"), std::string::npos);
}

TEST_F(CliScanTest, TheProgramPrintsOneRowPerModule) {
  const auto answer = modulesResponder({module(1, 2), module(2, 2), module(3, 2)});
  LoopbackResponder peer([&](const Bytes& request) {
    std::vector<Bytes> replies;
    for (const auto& a : answer(request)) replies.push_back(a.bytes);
    return replies;
  });
  test_support::ChildProcess cli(TRAX_BIN_DIR "/orvane-cli",
                                 {"--target", peer.endpoint().text(), "--config",
                                  iniPath().string(), "scan"});
  std::vector<std::string> lines;
  while (auto line = cli.readLine()) lines.push_back(*line);
  EXPECT_EQ(cli.stop(), 0);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].substr(0, 43), "00.11.22.33.00.03\tM4-TRAX100\t127.00.00.01\t7");
}

}  // namespace
}  // namespace orvane::cli
