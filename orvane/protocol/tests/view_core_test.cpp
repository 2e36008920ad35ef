// The view core beyond the scan: refresh, dispatch, the state checks, the
// starters and the serial port selection.
#include <gtest/gtest.h>

#include <future>

#include "fake_modules.h"
#include "image_file.h"
#include "recording_ui.h"
#include "orvane/protocol/compatibility.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/user_texts.h"
#include "test_support/temp_dir.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using namespace std::chrono_literals;

class ViewCoreTest : public ::testing::Test {
 protected:
  ViewCoreTest() {
    writeFile(dir.path() / "fw.bin", firmwareImage({9, 9, 9, 4}));
    config.writeText("FirmwareFileName", "fw.bin");
    ui.status = &core.status();
    core.loadSettings();
  }
  // A table of modules as a scan leaves it, and the list rows showing it.
  void table(const std::vector<FakeModule>& modules) {
    transport.responder = modulesResponder(modules);
    core.runOperation(kOperationScan, 0);
    for (const auto& r : core.table().snapshot()) ui.rows.push_back(macText(r.mac));
  }
  static FakeModule module(int n, std::uint8_t runMode, std::uint8_t major = 4,
                           std::uint16_t flags = 0) {
    FakeModule m;
    m.mac = macOf(n);
    m.runMode = runMode;
    m.flags = flags;
    m.versions.firmwareVersion[3] = major;
    return m;
  }

  test_support::TempDir dir;
  ConfigStore config{dir.path() / "Lumen_.ini"};
  RecordingUi ui;
  ScriptedPrompt prompt;
  ProcessFlags flags;
  FakeTransport transport;
  OrvaneViewCore core{ui, prompt, transport, config, flags};
};

TEST_F(ViewCoreTest, RefreshReadsTheVersionsOfTheRowsModule) {
  auto boot = module(2, kRunModeBootLoader);
  table({module(1, 2), boot, module(3, kRunModeUnknown)});
  auto newer = boot;
  newer.versions.bootVersion = {7, 7, 7, 7};
  newer.versions.pwbVersion = {3, 3};
  transport.responder = modulesResponder({newer});
  ModuleVersionInfo expected;
  expected.firmwareVersion = expected.bootVersion = {7, 7, 7, 7};
  expected.pwbVersion = {3, 3};
  expected.switchByte = boot.versions.switchByte;

  const auto before = transport.sent().size();
  core.runOperation(kOperationRefresh, 1);
  EXPECT_EQ(transport.sent().size(), before + 1);
  EXPECT_EQ(transport.sent().back().frame[3], 0xE1);
  EXPECT_EQ(core.table().record(1)->versions, expected);  // PLD 0 from the zeroed block
  EXPECT_EQ(ui.shownVersions().back(), expected);
  EXPECT_EQ(ui.events().back(), "busy off");

  core.runOperation(kOperationRefresh, 2);  // run mode 0: nothing is asked
  EXPECT_EQ(transport.sent().size(), before + 1);
}

TEST_F(ViewCoreTest, FailedRefreshChangesNothing) {
  table({module(1, 2)});
  const auto shown = ui.shownVersions().size();
  const auto versions = core.table().record(0)->versions;
  transport.responder = modulesResponder({});
  core.runOperation(kOperationRefresh, 0);
  EXPECT_EQ(core.table().record(0)->versions, versions);
  EXPECT_EQ(ui.shownVersions().size(), shown);
}

TEST_F(ViewCoreTest, DispatchByCodeAndRoute) {
  table({module(1, 2), module(2, 2)});
  std::vector<std::string> calls;
  for (int route : {kProtocolTcpIp, kProtocolSerial})
    for (int code : {kOperationRefresh, kOperationFactoryRestore, kOperationFirmwareDownload})
      if (!(route == kProtocolTcpIp && code == kOperationRefresh))
        core.setOperationHandler(code, route, [&calls, code, route](int target) {
          calls.push_back(std::to_string(route) + "/" + std::to_string(code) + " " +
                          std::to_string(target));
        });
  ui.rows = {macText(macOf(2)), macText(macOf(1))};  // sorted differently from the table
  core.runOperation(kOperationFactoryRestore, 0);
  core.runOperation(kOperationFirmwareDownload, 1);
  core.runOperation(7, 0);  // no such operation: only the body
  core.setProtocolType(kProtocolSerial);
  core.runOperation(kOperationFactoryRestore, 0);  // the serial restore gets the row itself
  core.runOperation(kOperationRefresh, 0);
  core.runOperation(kOperationScan, 0);  // no serial scan registered: nothing sent
  EXPECT_EQ(calls, (std::vector<std::string>{"0/10 1", "0/12 0", "1/10 0", "1/9 1"}));
  EXPECT_EQ(transport.countSent(0x01), 1);
}

TEST_F(ViewCoreTest, CheckCompatibility) {
  writeFile(dir.path() / "fw2.bin", firmwareImage({0, 0, 0, 0x7F}));
  table({module(1, 2, 4), module(2, 2, 3), module(3, 2, 5), module(4, 2, 0x80)});
  core.table().update(0, [](ModuleRecord& r) { r.versions.firmwareVersion = {1, 2, 3, 4}; });
  struct Row {
    int index;
    int expected;
  };
  for (const auto& [index, expected] :
       {Row{0, 0}, Row{1, 1}, Row{2, -1}, Row{3, -1}, Row{-1, 1}, Row{4, 1}, Row{255, 1}})
    EXPECT_EQ(core.checkCompatibility(index), expected) << index;
  config.writeText("FirmwareFileName", "fw2.bin");
  core.loadSettings();
  EXPECT_EQ(core.checkCompatibility(3), -1);  // 0x80 above 0x7F, compared unsigned
  EXPECT_EQ(core.checkCompatibility(0), 1);
  core.setProtocolType(kProtocolSerial);
  EXPECT_EQ(core.checkCompatibility(3), 1);
  EXPECT_EQ(compatibilityWarning(1), texts::kModuleTooOld);
  EXPECT_EQ(compatibilityWarning(-1), texts::kToolTooOld);
}

TEST_F(ViewCoreTest, TheFileIsReadAnewOnEveryCheck) {
  table({module(1, 2, 4)});
  EXPECT_EQ(core.checkCompatibility(0), 0);
  writeFile(dir.path() / "fw.bin", firmwareImage({0, 0, 0, 5}));
  EXPECT_EQ(core.checkCompatibility(0), 1);
  std::filesystem::remove(dir.path() / "fw.bin");
  EXPECT_EQ(core.checkCompatibility(0), 1);
}

TEST_F(ViewCoreTest, ManualResetTest) {
  table({module(1, 2, 4, kFlagManualReset), module(2, 2, 4, 0x0F)});
  EXPECT_TRUE(core.manualResetSet(0));
  EXPECT_FALSE(core.manualResetSet(1));
  EXPECT_FALSE(core.manualResetSet(2));
  EXPECT_FALSE(core.manualResetSet(-1));
  core.setProtocolType(kProtocolSerial);
  EXPECT_FALSE(core.manualResetSet(0));
}

TEST_F(ViewCoreTest, StartersWaitAtMost100MsForARunningOperation) {
  std::promise<void> gate;
  auto released = gate.get_future().share();
  transport.responder = [released](const Bytes&) {
    released.wait();
    return std::vector<Arrival>{};
  };
  ASSERT_TRUE(core.startInitialScan());
  core.setSelectedRow(5);
  EXPECT_FALSE(core.findModules());  // still running after 100 ms: nothing more
  EXPECT_EQ(core.selectedRow(), 5);
  EXPECT_FALSE(core.selectRow(3));
  EXPECT_EQ(core.selectedRow(), 3);
  gate.set_value();
  ASSERT_TRUE(core.worker().end(BackgroundOperation::kNoLimit));
  EXPECT_TRUE(core.findModules());
  EXPECT_EQ(core.selectedRow(), 0);
  EXPECT_TRUE(core.worker().end(BackgroundOperation::kNoLimit));
  EXPECT_TRUE(core.selectRow(0));
  EXPECT_EQ(core.worker().code(), kOperationRefresh);
  core.worker().end(BackgroundOperation::kNoLimit);
  EXPECT_EQ(transport.countSent(0x01), 2);
}

TEST_F(ViewCoreTest, SerialPortSelection) {
  prompt.ports = {3, std::nullopt};
  EXPECT_TRUE(core.selectSerialPort());
  EXPECT_EQ(core.portCom(), 3);
  EXPECT_EQ(config.readInt("PortCom"), 3);
  EXPECT_EQ(ui.events().back(), "portButton COM3 enabled");
  EXPECT_FALSE(core.selectSerialPort());
  EXPECT_EQ(prompt.portDialogs, (std::vector<int>{0, 3}));
  EXPECT_EQ(core.status().pending(), texts::kReady);
  EXPECT_EQ(core.portCom(), 3);

  ui.portButtonExists = false;
  prompt.ports = {7};
  EXPECT_TRUE(core.selectSerialPort());
  EXPECT_EQ(core.portCom(), 7);
  EXPECT_EQ(config.readInt("PortCom"), 3);  // only written with the button
}

TEST_F(ViewCoreTest, SettingsFromTheConfigurationStore) {
  config.writeInt("ProtocolType", 1);
  config.writeInt("PortCom", 4);
  config.writeText("BroadcastAddress", "127.0.0.9");
  config.writeInt("BroadcastPort", 1234);
  core.loadSettings();
  EXPECT_EQ(core.protocolType(), 1);
  EXPECT_EQ(core.portCom(), 4);
  EXPECT_EQ(core.link().destination(), (platform::Endpoint{0x7F000009, 1234}));
  core.setProtocolType(0);
  EXPECT_EQ(config.readInt("ProtocolType"), 0);
  EXPECT_EQ(core.firmwarePath(), dir.path() / "fw.bin");

  const std::pair<std::string, int> defaults[] = {{"", 0}, {"not an address", 70000}, {"1.2.3", -5}};
  for (const auto& [address, port] : defaults) {
    config.writeText("BroadcastAddress", address);
    config.writeInt("BroadcastPort", port);
    core.loadSettings();
    EXPECT_EQ(core.link().destination(), (platform::Endpoint{0xFFFFFFFF, 58580})) << address;
  }
}

TEST_F(ViewCoreTest, RunModeOfARow) {
  table({module(1, 2), module(2, kRunModeBootLoader)});
  EXPECT_EQ(core.runModeOfRow(macText(macOf(2))), kRunModeBootLoader);
  EXPECT_EQ(core.runModeOfRow("no such row"), 2);  // the lookup falls back to record 0
}

}  // namespace
}  // namespace orvane
