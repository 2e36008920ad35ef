// orvane-cli peers and restore against trax-sim on loopback, and the basic
// settings through the program itself.
#include <stdlib.h>
#include <sys/wait.h>

#include "settings_sim_fixture.h"
#include "orvane/protocol/settings_texts.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/forms/form_texts.h"
#include "test_support/child_process.h"

namespace orvane::cli {
namespace {

std::string peerFile(const std::filesystem::path& path, int entries) {
  std::string json = "[";
  for (int i = 0; i < entries; ++i)
    json += std::string(i ? "," : "") + R"({"device":)" + std::to_string(i) +
            (i % 2 ? R"(,"kind":"TRAX","ip":"10.0.1.)" : R"(,"ip":"10.0.2.)") +
            std::to_string(i + 1) + R"(","unit":)" + std::to_string(i) + "}";
  json += "]";
  writeFile(path, std::vector<std::uint8_t>(json.begin(), json.end()));
  return path.string();
}

TEST_F(SettingsSimTest, PeerTableFromAFile) {
  start({"--module", kModule});
  ASSERT_EQ(run({"peers", kMac, "--set", peerFile(dir.path() / "30.json", 30)}), kExitOk) << err.str();
  // The command's read, the backup's three reads, the write.
  auto frames = afterScan(sim->received(), 3);
  ASSERT_EQ(TraxSimPeer::codes(frames), (std::vector<int>{0x08, 0x06, 0x07, 0x08, 0x04}));
  ASSERT_EQ(frames[4].size(), 372u);
  EXPECT_EQ(frames[4][1], 0x74);
  EXPECT_EQ(frames[4][2], 0x01);
  // Row 2 is a TRAX row: it keeps the port, unit and reserved bytes of the
  // module's second entry, as the editor's dialog does.
  EXPECT_EQ(std::vector<std::uint8_t>(frames[4].begin() + 23, frames[4].begin() + 35),
            (std::vector<std::uint8_t>{1, 2, 10, 0, 1, 2, 0xF6, 0x01, 1, 1, 2, 3}));

  ASSERT_EQ(run({"peers", kMac, "--json"}), kExitOk);
  const auto table = nlohmann::json::parse(out.str());
  ASSERT_EQ(table.size(), 30u);
  EXPECT_EQ(table[29]["ip"], "10.0.1.30");
  EXPECT_EQ(table[28]["unit"], 28);

  sim->lines();
  ASSERT_EQ(run({"peers", kMac, "--set", peerFile(dir.path() / "0.json", 0)}), kExitOk);
  frames = afterScan(sim->received(), 3);
  ASSERT_EQ(TraxSimPeer::codes(frames), (std::vector<int>{0x08, 0x06, 0x07, 0x08, 0x04}));
  EXPECT_EQ(frames[4].size(), 12u);
  EXPECT_EQ(frames[4][10], 0);
}

TEST_F(SettingsSimTest, PeerTableReadAndWrittenBackIsByteIdentical) {
  start({"--module", kModule, "--log-replies"});
  ASSERT_EQ(run({"peers", kMac, "--json"}), kExitOk);
  const auto file = dir.path() / "table.json";
  const auto json = out.str();
  writeFile(file, std::vector<std::uint8_t>(json.begin(), json.end()));
  sim->lines();
  ASSERT_EQ(run({"peers", kMac, "--set", file.string()}), kExitOk) << err.str();
  std::vector<std::uint8_t> readEntries, writtenEntries;
  for (const auto& line : sim->lines()) {
    const auto bytes = TraxSimPeer::bytesOf(line);
    if (line.rfind("tx ", 0) == 0 && bytes.size() > 5 && bytes[3] == 0x08)
      readEntries.assign(bytes.begin() + 5, bytes.end() - 1);
    if (line.rfind("rx ", 0) == 0 && bytes.size() > 11 && bytes[3] == 0x04)
      writtenEntries.assign(bytes.begin() + 11, bytes.end() - 1);
  }
  EXPECT_EQ(readEntries.size(), 24u);
  EXPECT_EQ(writtenEntries, readEntries);
}

TEST_F(SettingsSimTest, PeerFileRefusalsSendNothing) {
  start({"--module", kModule});
  ASSERT_EQ(run({"peers", kMac, "--set", peerFile(dir.path() / "31.json", 31)}), kExitFailure);
  EXPECT_EQ(err.str(), "警告: " + std::string(forms::texts::kTooManyPeers) + "\n");
  const auto bad = dir.path() / "bad.json";
  writeFile(bad, {'[', '{', '"', 'd', 'e', 'v', 'i', 'c', 'e', '"', ':', '9', '1', ',', '"', 'i',
                  'p', '"', ':', '"', '1', '.', '2', '.', '3', '.', '4', '"', '}', ']'});
  ASSERT_EQ(run({"peers", kMac, "--set", bad.string()}), kExitFailure);
  EXPECT_EQ(err.str(), bad.string() + ": 第 1 个条目\n错误: " + std::string(forms::texts::kDeviceNumber) + "\n");
  EXPECT_TRUE(sim->received().empty());
}

TEST_F(SettingsSimTest, RestoreAsksAndSendsOnlyOnYes) {
  start({"--module", kModule, "--module", R"({"mac":"00-11-22-33-44-56","runMode":"bootloader"})",
         "--module", R"({"mac":"00-11-22-33-44-57","statusFlags":"0x0010"})"});
  const std::size_t scanFrames = 1 + 2 + 1 + 2;
  const std::string question = "警告: " + std::string(texts::kRestoreQuestion) + " [y/N] ";
  struct Row {
    std::vector<std::string> args;
    std::string answer;
    int status;
    std::string out, err;
    std::vector<int> codes;
  };
  const Row rows[] = {
      {{kMac}, "n\n", kExitCancelled, "", question, {}},
      {{kMac}, "", kExitCancelled, "", question + "\n", {}},
      {{"00-11-22-33-44-56", "--yes"}, "", kExitFailure, "", "该模块处于BOOTLOAD状态，无法执行此命令。\n", {}},
      {{"00-11-22-33-44-57", "--yes"}, "", kExitFailure, "", "警告: " + std::string(texts::kManualReset) + "\n", {}},
      {{kMac}, "y\n", kExitOk, "", question, {0x06, 0x07, 0x08, 0x0A}},  // the backup first
      {{kMac, "--yes"}, "", kExitOk, "", question + "y (--yes)\n", {0x06, 0x07, 0x08, 0x0A}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(restore(row.args, row.answer), row.status) << row.args[0] << row.answer;
    EXPECT_EQ(out.str(), row.out);
    EXPECT_EQ(err.str(), row.err);
    EXPECT_EQ(TraxSimPeer::codes(afterScan(sim->received(), scanFrames)), row.codes);
  }
  ASSERT_EQ(run({"basic", kMac, "--json"}), kExitOk);
  EXPECT_EQ(nlohmann::json::parse(out.str())["name"], "");  // the factory values
}

TEST_F(SettingsSimTest, TheProgramChangesTheModuleAndItsScanShowsIt) {
  start({"--module", kModule});
  ::setenv("LC_ALL", "C.UTF-8", 1);  // the arguments' character set
  const auto program = [&](std::vector<std::string> args) {
    auto line = global();
    line.insert(line.end(), args.begin(), args.end());
    test_support::ChildProcess cli(TRAX_BIN_DIR "/orvane-cli", line);
    std::vector<std::string> lines;
    while (auto l = cli.readLine()) lines.push_back(*l);
    const int status = cli.stop();
    EXPECT_TRUE(WIFEXITED(status));
    return std::make_pair(WEXITSTATUS(status), lines);
  };
  EXPECT_EQ(program({"basic", kMac, "--name", "三号线", "--id", "7", "--ip", "192.168.10.99",
                     "--wait", "0"}).first,
            kExitOk);
  const auto [status, rows] = program({"scan"});
  EXPECT_EQ(status, kExitOk);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].rfind("00.11.22.33.44.55\tM4-TRAX100\t192.168.10.99\t7\t三号线\t", 0), 0u)
      << rows[0];
  EXPECT_EQ(program({"basic", kMac, "--id", "1000000000"}).first, kExitFailure);
  // A character that code page 936 cannot hold is refused before anything
  // is sent, never stored as "?".
  EXPECT_EQ(program({"basic", kMac, "--name", "三号线\U0001F600"}).first, kExitUsage);
  ::unsetenv("LC_ALL");
  EXPECT_EQ(TraxSimPeer::codes(sim->received()),
            (std::vector<int>{0x01, 0x09, 0x06, 0x06, 0x06, 0x07, 0x08, 0x02, 0x06, 0x09, 0x01, 0x09,
                              0x06}));
}

}  // namespace
}  // namespace orvane::cli
