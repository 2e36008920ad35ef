// orvane-cli export against trax-sim with the demo scenario and a module
// whose name holds a comma.
#include "settings_sim_fixture.h"
#include "platform/gbk.h"

namespace orvane::cli {
namespace {

TEST_F(SettingsSimTest, ExportWritesTheListInCodePage936) {
  start({"--scenario", TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/demo.json", "--module",
         R"({"mac":"00-11-22-33-44-60","name":"A,B","moduleId":6,"ipAddress":"192.168.10.16"})"});
  ASSERT_EQ(run({"export", "-"}), kExitOk) << err.str();
  const auto bytes = out.str();
  EXPECT_NE(bytes.find(platform::utf8ToGbk("一号线主站")), std::string::npos);
  const auto text = platform::gbkToUtf8(bytes);
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  ASSERT_EQ(lines.size(), 7u) << text;
  EXPECT_EQ(lines[0], "MAC地址,模块类型,IP地址,ID,名称,描述,状态,版本");
  EXPECT_EQ(lines[6].substr(0, 42), "00.11.22.33.44.60,M4-TRAX100,192.168.10.16");
  EXPECT_NE(lines[6].find(",6,\"A,B\","), std::string::npos) << lines[6];

  EXPECT_EQ(run({"export"}), kExitUsage);
  EXPECT_EQ(run({"export", (dir.path() / "a" / "b.csv").string()}), kExitOk) << err.str();
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "a" / "b.csv"));
}

}  // namespace
}  // namespace orvane::cli
