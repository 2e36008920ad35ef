// apply against trax-sim on loopback: a refused file sends nothing, a
// module that fails leaves the others configured, and the forty modules of
// the batch scenario are configured in one run.
#include <algorithm>
#include <fstream>

#include "settings_sim_fixture.h"
#include "orvane/forms/form_texts.h"
#include "orvane/protocol/settings_texts.h"

namespace orvane::cli {
namespace {

const std::string kScenarios = TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/";

class ApplySimTest : public SettingsSimTest {
 protected:
  std::string csv(const std::string& text) {
    const auto path = (dir.path() / "batch.csv").string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
};

TEST_F(ApplySimTest, OneBadLineRefusesTheWholeFileAndNothingIsSent) {
  start({"--module", kModule, "--module", R"({"mac":"00-11-22-33-44-56"})"});
  const auto file = csv("mac,name,ip\n00-11-22-33-44-55,甲,192.168.10.30\n00-11-22-33-44-56,乙,224.0.0.1\n");
  EXPECT_EQ(run({"apply", file, "--yes"}), kExitUsage);
  EXPECT_EQ(err.str(), "orvane-cli apply: " + file + " 第 3 行 ip 列\n错误: " +
                           std::string(forms::texts::kIpInvalid) + "\n文件未被采用，没有发送任何请求\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_TRUE(sim->received().empty());
}

// One module never answers, one refuses the advanced write: each has its
// result line with the reason, and the third is configured all the same.
TEST_F(ApplySimTest, FailingModulesAreReportedAndTheOthersConfigured) {
  start({"--module", R"({"mac":"00-11-22-33-44-55","faults":[{"kind":"silent"}]})",
         "--module", R"({"mac":"00-11-22-33-44-56","faults":[{"kind":"result","value":5,"codes":[3]}]})",
         "--module", R"({"mac":"00-11-22-33-44-57","name":"旧"})"});
  const auto file = csv(
      "mac,name,master-timeout\n00-11-22-33-44-55,甲,200\n00-11-22-33-44-56,乙,200\n"
      "00-11-22-33-44-57,丙,200\n");
  EXPECT_EQ(run({"apply", file, "--yes", "--wait", "0"}), kExitFailure);
  EXPECT_EQ(out.str(),
            "00.11.22.33.44.55 第 2 行: 失败: 未找到模块\n"
            "00.11.22.33.44.56 第 3 行: 失败: " + std::string(texts::kWriteAdvancedFailed) + "\n"
            "00.11.22.33.44.57 第 4 行: 已配置\n"
            "  名称: 旧 → 丙\n"
            "  主机(ms): 1000 → 200\n"
            "共 3 个模块: 已配置 1，无修改 0，失败 2\n");
  const auto scan = scanJson();
  ASSERT_EQ(scan.size(), 2u);
  EXPECT_EQ(scan[1]["name"], "丙");
}

// Acceptance: the forty modules of the batch scenario from its CSV file; a
// dry run first writes nothing, a second run finds nothing to change. The
// wire log is drained after each run: a full pipe would stall the simulator.
TEST_F(ApplySimTest, FortyModulesAreConfiguredInOneRun) {
  start({"--scenario", kScenarios + "batch40.json"});
  const auto file = kScenarios + "batch40.csv";
  ASSERT_EQ(run({"apply", file, "--dry-run"}), kExitOk) << err.str();
  EXPECT_EQ(count(out.str(), " 行: 将修改\n"), 40u);
  const auto dryFrames = TraxSimPeer::codes(sim->received());
  EXPECT_TRUE(std::none_of(dryFrames.begin(), dryFrames.end(), [](int code) { return code == 2 || code == 3; }));

  ASSERT_EQ(run({"apply", file, "--yes", "--wait", "0"}), kExitOk) << err.str();
  EXPECT_EQ(count(out.str(), " 行: 已配置\n"), 40u);
  EXPECT_NE(out.str().find("共 40 个模块: 已配置 40，无修改 0，失败 0\n"), std::string::npos);
  sim->lines();
  const auto scan = scanJson();
  ASSERT_EQ(scan.size(), 40u);
  EXPECT_EQ(scan[0]["name"], "装配线 A-01");
  EXPECT_EQ(scan[0]["description"], "A 区, 01 号机架");
  EXPECT_EQ(scan[38]["moduleId"], 139);
  EXPECT_EQ(scan[38]["ip"], "127.0.0.139");
  ASSERT_EQ(run({"advanced", "00-11-22-33-45-28", "--json"}), kExitOk);
  EXPECT_EQ(nlohmann::json::parse(out.str())["slaveTimeoutSec"], 45);
  sim->lines();

  ASSERT_EQ(run({"apply", file, "--yes"}), kExitOk);
  EXPECT_NE(out.str().find("已配置 0，无修改 40，失败 0"), std::string::npos);
}

}  // namespace
}  // namespace orvane::cli
