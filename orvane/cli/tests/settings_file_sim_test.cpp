// save and load against trax-sim on loopback: the round trip, a refused
// file, a backup before each write, and a module's settings copied onto
// another.
#include <cstdlib>
#include <fstream>

#include "settings_sim_fixture.h"
#include "orvane/forms/form_texts.h"

namespace orvane::cli {
namespace {

constexpr const char* kOtherMac = "00-11-22-33-44-66";
const std::string kOtherModule =
    R"({"mac":"00-11-22-33-44-66","name":"备用站","moduleId":9,"ipAddress":"192.168.20.9",)"
    R"("description":"spare","subnetMask":"255.255.0.0",)"
    R"("advanced":{"reservedA":7,"reservedB":300,"reservedByte":1,"masterTimeoutMs":80,"slaveTimeoutSec":5}})";

std::string contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class SettingsFileSimTest : public SettingsSimTest {
 protected:
  SettingsFileSimTest() { ::setenv("XDG_STATE_HOME", (dir.path() / "state").c_str(), 1); }

  std::string save(const std::string& mac, const std::string& name) {
    const auto path = (dir.path() / name).string();
    EXPECT_EQ(run({"save", mac, path}), kExitOk) << err.str();
    return path;
  }
  std::vector<std::filesystem::path> backups() const {
    std::vector<std::filesystem::path> files;
    const auto at = dir.path() / "state" / "trax" / "backups";
    if (std::filesystem::exists(at))
      for (const auto& f : std::filesystem::directory_iterator(at)) files.push_back(f.path());
    std::sort(files.begin(), files.end());
    return files;
  }
};

TEST_F(SettingsFileSimTest, SaveChangeLoadGivesTheSameFileBackBackingUpBeforeEachWrite) {
  start({"--module", kModule});
  const auto saved = save(kMac, "saved.json");
  ASSERT_EQ(run({"basic", kMac, "--name", "改过", "--wait", "0"}), kExitOk) << err.str();
  ASSERT_EQ(run({"advanced", kMac, "--master-timeout", "900"}), kExitOk) << err.str();
  std::filesystem::remove_all(dir.path() / "state");
  const auto changed = save(kMac, "changed.json");
  sim->lines();

  ASSERT_EQ(run({"load", kMac, saved, "--yes", "--wait", "0"}), kExitOk) << err.str();
  EXPECT_EQ(out.str(), "basic.name: \"改过\" → \"一号线主站\"\n"
                       "advanced.masterTimeoutMs: 900 → 500\n");
  // The scan, the three reads, then for each section that differs its
  // command's read, the backup's reads and the write (basic: re-read and
  // versions), then the confirming reads. The peer table, the same, is not
  // written.
  const std::vector<int> reads{0x06, 0x07, 0x08};
  std::vector<int> expected{0x01, 0x09, 0x06, 0x06, 0x07, 0x08, 0x06, 0x06, 0x07, 0x08, 0x02, 0x06,
                            0x09, 0x07, 0x06, 0x07, 0x08, 0x03};
  expected.insert(expected.end(), reads.begin(), reads.end());
  EXPECT_EQ(TraxSimPeer::codes(sim->received()), expected);
  const auto files = backups();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(contents(files[0]), contents(changed));  // the settings as they were before the load
  EXPECT_NE(err.str().find("写入前的设置备份于 " + files[1].string()), std::string::npos) << err.str();

  EXPECT_EQ(contents(save(kMac, "again.json")), contents(saved));
  sim->lines();
  ASSERT_EQ(run({"load", kMac, saved, "--wait", "0"}), kExitOk);  // nothing to ask
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(TraxSimPeer::codes(afterScan(sim->received(), 3)), reads);
}

TEST_F(SettingsFileSimTest, AFileFailingACheckIsRefusedWithNothingSent) {
  start({"--module", kModule});
  const auto good = contents(save(kMac, "good.json"));
  sim->lines();
  const struct {
    std::string from, to, message;
  } rows[] = {
      {"\"masterTimeoutMs\": 500", "\"masterTimeoutMs\": 0", std::string(forms::texts::kMasterTimeout)},
      {"\"ipAddress\": \"192.168.10.11\"", "\"ipAddress\": \"224.0.0.1\"", std::string(forms::texts::kIpInvalid)},
      {"\"device\": 1,", "\"device\": 91,", std::string(forms::texts::kDeviceNumber)},
      {"\"version\": 1", "\"version\": 7", "不支持的版本"},
  };
  for (const auto& row : rows) {
    auto text = good;
    ASSERT_NE(text.find(row.from), std::string::npos) << row.from;
    text.replace(text.find(row.from), row.from.size(), row.to);
    const auto path = dir.path() / "bad.json";
    writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(run({"load", kMac, path.string(), "--yes"}), kExitUsage) << row.to;
    EXPECT_NE(err.str().find(row.message), std::string::npos) << err.str();
    EXPECT_TRUE(sim->received().empty()) << row.to;
  }
}

TEST_F(SettingsFileSimTest, LoadingOntoAnotherModuleCopiesAllButItsIdentity) {
  start({"--module", kModule, "--module", kOtherModule});
  const auto fromFirst = nlohmann::json::parse(contents(save(kMac, "first.json")));
  const auto identity = [](nlohmann::json doc) {
    doc.erase("mac");
    for (const char* key : {"moduleId", "name", "ipAddress", "currentIp", "currentMask", "currentGateway"})
      doc["basic"].erase(key);
    return doc;
  };
  ASSERT_EQ(run({"load", kOtherMac, (dir.path() / "first.json").string(), "--yes", "--wait", "0"}),
            kExitOk)
      << err.str();
  auto onOther = nlohmann::json::parse(contents(save(kOtherMac, "other.json")));
  EXPECT_EQ(identity(onOther), identity(fromFirst));
  EXPECT_EQ(onOther["basic"]["name"], "备用站");
  EXPECT_EQ(onOther["basic"]["moduleId"], 9);
  EXPECT_EQ(onOther["basic"]["ipAddress"], "192.168.20.9");

  ASSERT_EQ(run({"load", kOtherMac, (dir.path() / "first.json").string(), "--yes", "--identity",
                 "--wait", "0"}),
            kExitOk)
      << err.str();
  onOther = nlohmann::json::parse(contents(save(kOtherMac, "other.json")));
  EXPECT_EQ(onOther["basic"]["name"], fromFirst["basic"]["name"]);
  EXPECT_EQ(onOther["basic"]["ipAddress"], fromFirst["basic"]["ipAddress"]);
}

}  // namespace
}  // namespace orvane::cli
