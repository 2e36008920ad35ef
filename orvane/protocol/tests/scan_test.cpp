// The scan (operation 1) and the operation body, through the view core with
// fake modules behind a fake transport.
#include <gtest/gtest.h>

#include "fake_modules.h"
#include "image_file.h"
#include "recording_ui.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/user_texts.h"
#include "test_support/temp_dir.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class ScanTest : public ::testing::Test {
 protected:
  ScanTest() {
    writeFile(dir.path() / "firmware.bin", firmwareImage({0, 0, 0, 4}));
    config.writeText("FirmwareFileName", "firmware.bin");
    ui.status = &core.status();
    core.loadSettings();
  }
  void modules(const std::vector<FakeModule>& m) { transport.responder = modulesResponder(m); }
  static FakeModule module(int n, std::uint8_t runMode = 2, std::uint8_t major = 4) {
    FakeModule m;
    m.mac = macOf(n);
    m.runMode = runMode;
    m.versions.firmwareVersion[3] = major;
    m.name = "module " + std::to_string(n);
    m.moduleId = static_cast<std::uint32_t>(100 + n);
    return m;
  }
  std::vector<std::uint8_t> codesSent() const {
    std::vector<std::uint8_t> codes;
    for (const auto& f : transport.sentFrames()) codes.push_back(f[3]);
    return codes;
  }
  ModuleRecord record(int i) const { return *core.table().record(i); }

  test_support::TempDir dir;
  ConfigStore config{dir.path() / "Lumen_.ini"};
  RecordingUi ui;
  ScriptedPrompt prompt;
  ProcessFlags flags;
  FakeTransport transport;
  OrvaneViewCore core{ui, prompt, transport, config, flags};
};

TEST_F(ScanTest, DetailReadsFollowRunModeAndCompatibility) {
  modules({module(1), module(2, kRunModeBootLoader), module(3, 2, 3), module(4, 2, 5)});
  core.runOperation(kOperationScan, 0);
  // Discovery; the compatible module: versions and basic settings; the boot
  // loader: boot info only; older and newer majors: versions only.
  EXPECT_EQ(codesSent(), (std::vector<std::uint8_t>{0x01, 0x09, 0x06, 0xE1, 0x09, 0x09}));
  EXPECT_EQ(transport.sentFrames()[2],
            *buildConfigFrame(CommandCode::ReadBasicSettings, macOf(1)));
  ASSERT_EQ(core.table().count(), 4);
  EXPECT_EQ(textField(record(0).name), "module 1");
  EXPECT_EQ(record(0).moduleId, 101u);
  EXPECT_EQ(record(0).versions, module(1).versions);
  EXPECT_EQ(textField(record(1).name), "");
  EXPECT_EQ(record(1).moduleId, 0u);
  EXPECT_EQ(record(1).versions.firmwareVersion, module(2).versions.bootVersion);
  EXPECT_EQ(record(1).versions.pldVersion, (std::array<std::uint8_t, 2>{0, 0}));
  EXPECT_EQ(textField(record(2).name), "");
  EXPECT_EQ(record(3).versions.firmwareVersion[3], 5);
  EXPECT_EQ(ui.count("refreshList -1"), 1);
  EXPECT_EQ(ui.shownVersions(), std::vector<ModuleVersionInfo>{record(0).versions});
  EXPECT_EQ(core.lastDiscovery().status, DiscoveryStatus::Replies);
}

TEST_F(ScanTest, NoBasicSettingsWithoutAValidImage) {
  const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
      {"missing.bin", {}},
      {"damaged.bin", [] { auto i = firmwareImage({0, 0, 0, 4}); i[40] ^= 1; return i; }()},
      {"", {}},  // no FirmwareFileName: the directory itself is no image
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    if (!bytes.empty()) writeFile(dir.path() / name, bytes);
    config.writeText("FirmwareFileName", name);
    FakeTransport t;
    t.responder = modulesResponder({module(1)});
    OrvaneViewCore c(ui, prompt, t, config, flags);
    c.loadSettings();
    c.runOperation(kOperationScan, 0);
    EXPECT_EQ(t.countSent(0x09), 1);
    EXPECT_EQ(t.countSent(0x06), 0);
    EXPECT_EQ(c.checkCompatibility(0), 1);
  }
}

TEST_F(ScanTest, FailedExchangesLeaveTheRecordAsItWas) {
  auto silentVersions = module(1);
  silentVersions.silentFor = {0x09};
  auto silentSettings = module(2);
  silentSettings.silentFor = {0x06};
  auto silentBoot = module(3, kRunModeBootLoader);
  silentBoot.silentFor = {0xE1};
  modules({silentVersions, silentSettings, silentBoot});
  core.runOperation(kOperationScan, 0);
  ASSERT_EQ(core.table().count(), 3);
  // Versions stay 0, so the module counts as too old: no settings read.
  EXPECT_EQ(record(0).versions, ModuleVersionInfo{});
  EXPECT_EQ(textField(record(0).name), "");
  EXPECT_EQ(record(1).versions, module(2).versions);
  EXPECT_EQ(textField(record(1).name), "");
  EXPECT_EQ(record(1).addressMode, 1);
  EXPECT_EQ(record(2).versions, ModuleVersionInfo{});
  EXPECT_EQ(record(0).mac, macOf(1));
  EXPECT_EQ(record(0).currentIp, (Ipv4Bytes{127, 0, 0, 1}));
  EXPECT_EQ(codesSent(), (std::vector<std::uint8_t>{0x01, 0x09, 0x09, 0x06, 0xE1}));
}

TEST_F(ScanTest, RepliesWithAnotherCodeAreIgnored) {
  auto m = module(1);
  m.wrongCodeFirst = {0x09, 0x06};
  modules({m});
  core.runOperation(kOperationScan, 0);
  EXPECT_EQ(record(0).versions, m.versions);
  EXPECT_EQ(textField(record(0).name), "module 1");
}

TEST_F(ScanTest, EmptyTableSendsNoVersions) {
  core.runOperation(kOperationScan, 0);
  EXPECT_EQ(core.table().count(), 0);
  EXPECT_EQ(ui.count("refreshList -1"), 1);
  EXPECT_TRUE(ui.shownVersions().empty());
  EXPECT_EQ(ui.shownTexts(), (std::vector<std::string>{std::string(texts::kCommunicating),
                                                       std::string(texts::kReceiveFailed),
                                                       std::string(texts::kReady)}));
  EXPECT_EQ(core.lastDiscovery().status, DiscoveryStatus::NoReply);
}

TEST_F(ScanTest, MoreThan256RepliesFillTheTableAndAreDrained) {
  std::vector<FakeModule> many;
  for (int i = 0; i < 300; ++i) many.push_back(module(i, kRunModeUnknown, 9));
  modules(many);
  core.runOperation(kOperationScan, 0);
  EXPECT_EQ(core.table().count(), 256);
  EXPECT_EQ(record(255).mac, macOf(255));
  EXPECT_EQ(core.lastDiscovery().replies, 300);  // collected until the time-out
  EXPECT_EQ(transport.countSent(0x09), 256);
}

TEST_F(ScanTest, BodyOfTheOperation) {
  modules({module(1)});
  core.runOperation(kOperationScan, 0);
  const auto events = ui.events();
  ASSERT_GE(events.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 3),
            (std::vector<std::string>{"status 通信中...", "busy on", "cursor on"}));
  EXPECT_EQ(std::vector<std::string>(events.end() - 3, events.end()),
            (std::vector<std::string>{"status 就绪", "cursor off", "busy off"}));
}

TEST_F(ScanTest, WithoutProgressControlNoBusyIndicator) {
  ui.progressControl = false;
  core.runOperation(kOperationScan, 0);
  EXPECT_EQ(ui.count("busy on") + ui.count("busy off"), 0);
  EXPECT_EQ(ui.shownTexts().front(), texts::kReceiveFailed);
}

TEST_F(ScanTest, SocketLayerNotStartingStopsTheBusyIndicatorAtOnce) {
  transport.failStartup = true;
  core.runOperation(kOperationScan, 0);
  EXPECT_EQ(ui.count("busy off"), 2);
  EXPECT_EQ(core.lastDiscovery().status, DiscoveryStatus::StartupFailed);
}

}  // namespace
}  // namespace orvane
