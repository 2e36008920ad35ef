// The scan and orvane-cli against trax-sim on loopback: the wire as the
// simulator logs it, and the scan rules on real sockets.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "image_file.h"
#include "recording_ui.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/user_texts.h"
#include "test_support/child_process.h"
#include "test_support/temp_dir.h"

namespace orvane {
namespace {

using namespace orvane::testing;

const std::vector<std::uint8_t> kSentinel{0xFF, 0xEE, 0xDD};

class TraxSimScan : public ::testing::Test {
 protected:
  // Starts trax-sim with these modules (JSON objects of its scenario format).
  void startSim(const std::vector<std::string>& modules) {
    std::vector<std::string> args{"--listen", "127.0.0.1:0", "--no-scan", "--log"};
    for (const auto& m : modules) args.insert(args.end(), {"--module", m});
    sim_ = std::make_unique<test_support::ChildProcess>(TRAX_BIN_DIR "/trax-sim", args);
    const auto ready = sim_->waitForLine("listening ", 5);
    ASSERT_TRUE(ready);
    simPort_ = platform::parseEndpoint(*ready).value_or(platform::Endpoint{});
    ASSERT_EQ(simPort_.address, 0x7F000001u);
    writeFile(dir.path() / "fw.bin", firmwareImage({0, 0, 1, 4}));
    config.writeText("FirmwareFileName", "fw.bin");
    config.writeText("BroadcastAddress", "127.0.0.1");
    config.writeInt("BroadcastPort", simPort_.port);
    core.loadSettings();
  }

  void scan() {
    ASSERT_TRUE(core.startInitialScan());
    ASSERT_TRUE(core.worker().end(BackgroundOperation::kNoLimit));
  }

  // The frames trax-sim received so far, as its log shows them. A sentinel
  // datagram marks the end, so no read waits for a line that never comes.
  std::vector<std::string> wire() {
    platform::UdpSocket socket;
    socket.open();
    socket.sendTo(simPort_, kSentinel.data(), kSentinel.size());
    std::vector<std::string> lines;
    for (int i = 0; i < 2000; ++i) {
      const auto line = sim_->readLine();
      if (!line || *line == "rx FF EE DD") break;
      if (line->rfind("rx ", 0) == 0) lines.push_back(*line);
    }
    return lines;
  }

  ModuleRecord record(int i) const { return *core.table().record(i); }

  test_support::TempDir dir;
  ConfigStore config{dir.path() / "Lumen_.ini"};
  RecordingUi ui;
  ScriptedPrompt prompt;
  ProcessFlags flags;
  UdpTransport transport;
  OrvaneViewCore core{ui, prompt, transport, config, flags};
  std::unique_ptr<test_support::ChildProcess> sim_;
  platform::Endpoint simPort_;

 public:
  TraxSimScan() { ui.status = &core.status(); }
};

TEST_F(TraxSimScan, WireAndScanRules) {
  startSim({
      R"({"mac":"00-11-22-33-44-55","firmwareVersion":"4.1.0.3","moduleId":1,"name":"一号线主站"})",
      R"({"mac":"00-11-22-33-44-56","runMode":"bootloader","bootVersion":"1.0.0.2","name":"不读"})",
      R"({"mac":"00-11-22-33-44-57","statusFlags":"0x0011","fixedId":7,"moduleId":3})",
      R"({"mac":"00-11-22-33-44-58","firmwareVersion":"3.2.0.1","name":"旧版"})",
      R"({"mac":"00-11-22-33-44-59","name":"失败","faults":[{"kind":"silent","codes":[6]}]})",
      R"({"mac":"00-11-22-33-44-5A","name":"其他代码","faults":[{"kind":"otherCodeFirst","codes":[9,6]}]})",
      R"({"mac":"00-11-22-33-44-5B","name":"迟到","faults":[{"kind":"delay","ms":250,"codes":[9]}]})",
  });
  scan();
  const auto read = [](const char* code, const char* mac) {
    return std::string("rx AA 0B 00 ") + code + " 00 11 22 33 44 " + mac;
  };
  const std::vector<std::string> expected{
      "rx AA 05 00 01 AE",
      read("09", "55 B9"), "rx AA 0B 00 06 00 11 22 33 44 55 B6",
      read("E1", "56 52"),
      read("09", "57 BB"), read("06", "57 B4"),
      read("09", "58 B4"),
      read("09", "59 B5"), read("06", "59 BA"),
      read("09", "5A B6"), read("06", "5A B9"),
      read("09", "5B B7"),
  };
  EXPECT_EQ(wire(), expected);

  ASSERT_EQ(core.table().count(), 7);
  EXPECT_EQ(nameUtf8(record(0)), "一号线主站");
  EXPECT_EQ(formatModuleRow(record(0), 0).columns[kColumnVersion], "V4.1.0.3");
  const auto boot = formatModuleRow(record(1), 0);
  EXPECT_EQ(boot.columns[kColumnStatus], "BOOTLOAD");
  EXPECT_EQ(nameUtf8(record(1)), "");
  const auto flagged = formatModuleRow(record(2), 0);
  EXPECT_EQ(flagged.columns[kColumnStatus], "系统程序-物理地址错误(警告)-手动复位状态");
  EXPECT_EQ(flagged.columns[kColumnId], "7");
  EXPECT_EQ(flagged.level, 1);
  EXPECT_EQ(nameUtf8(record(3)), "");                      // other major
  EXPECT_EQ(nameUtf8(record(4)), "");                      // failed read: as it was
  EXPECT_EQ(nameUtf8(record(5)), "其他代码");               // other codes skipped
  EXPECT_EQ(record(6).versions, ModuleVersionInfo{});     // too late: as it was
  EXPECT_EQ(ui.count("refreshList -1"), 1);
  EXPECT_EQ(ui.shownVersions(), std::vector<ModuleVersionInfo>{record(0).versions});
  EXPECT_EQ(ui.shownTexts().back(), texts::kReady);
}

TEST_F(TraxSimScan, OverlongDiscoveryReplyEndsTheCollection) {
  startSim({R"({"mac":"00-11-22-33-44-01"})",
            R"({"mac":"00-11-22-33-44-02","faults":[{"kind":"overlong","codes":[1]}]})",
            R"({"mac":"00-11-22-33-44-03"})"});
  scan();
  ASSERT_EQ(core.table().count(), 1);
  EXPECT_EQ(macText(record(0).mac), "00.11.22.33.44.01");
}

TEST_F(TraxSimScan, NoModuleAnswers) {
  startSim({});
  scan();
  EXPECT_EQ(core.table().count(), 0);
  EXPECT_TRUE(ui.shownVersions().empty());
  EXPECT_EQ(core.lastDiscovery().status, DiscoveryStatus::NoReply);
  EXPECT_EQ(wire(), std::vector<std::string>{"rx AA 05 00 01 AE"});
}

TEST_F(TraxSimScan, OrvaneCliPrintsTheRows) {
  startSim({R"({"mac":"00-11-22-33-44-55","name":"一号线主站","ipAddress":"192.168.10.11"})",
            R"({"mac":"00-11-22-33-44-56","runMode":"bootloader","ipAddress":"10.0.0.1"})"});
  const std::string ini = config.file().string();
  test_support::ChildProcess text(TRAX_BIN_DIR "/orvane-cli", {"--config", ini, "scan"});
  std::vector<std::string> rows;
  while (auto line = text.readLine()) rows.push_back(*line);
  EXPECT_EQ(text.stop(), 0);
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "00.11.22.33.44.55\tM4-TRAX100\t192.168.10.11\t0\t一号线主站\t\t系统程序\tV4.1.0.3",
                      "00.11.22.33.44.56\tM4-TRAX100\t10.00.00.01\t\t\t\tBOOTLOAD\tV1.0.0.2"}));

  test_support::ChildProcess json(TRAX_BIN_DIR "/orvane-cli",
                                  {"--target", simPort_.text(), "--config", ini, "scan", "--json"});
  std::string out;
  while (auto line = json.readLine()) out += *line;
  EXPECT_EQ(json.stop(), 0);
  const auto modules = nlohmann::json::parse(out);
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(modules[0]["ip"], "192.168.10.11");
  EXPECT_EQ(modules[1]["bootVersion"], "1.0.0.2");
  EXPECT_EQ(modules[1]["firmwareVersion"], "----");
}

}  // namespace
}  // namespace orvane
