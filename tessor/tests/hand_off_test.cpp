// The editor's test command and Tessor meet in Config.ini: the address and the
// station the editor writes into the file that travels with Tessor are what
// Tessor starts with.
#include <gtest/gtest.h>

#include <fstream>

#include "fake_request_view.h"
#include "orvane/export/test_tool.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/tests/image_file.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "recording_prompt.h"
#include "tessor/core/function_requests.h"
#include "tessor/core/tessor_settings.h"
#include "test_support/child_process.h"
#include "test_support/temp_dir.h"

namespace tessor {
namespace {

// Both files Tessor travels with: the build tree's and the installed one.
TEST(HandOff, TessorStartsWithTheModuleTheEditorHandsOver) {
  const std::pair<const char*, const char*> shipped[] = {
      {TRAX_SOURCE_DIR "/tessor/gui/Config.ini", "127.0.0.1:28784"},
      {TRAX_SOURCE_DIR "/data/Config.ini", "255.255.255.255:28784"}};
  for (const auto& [shippedFile, scan] : shipped) {
    SCOPED_TRACE(shippedFile);
    test_support::TempDir dir;
    const auto file = dir.path() / "Config.ini";
    std::filesystem::copy_file(shippedFile, file);
    orvane::ModuleRecord module{};
    module.currentIp = {127, 0, 0, 5};
    module.moduleId = 7;
    ASSERT_TRUE(orvane::writeHandOffFile(file, module));
    TessorSettings settings;
    ASSERT_TRUE(LoadSettings(file, settings));
    EXPECT_EQ(settings.ip, (std::array<std::uint8_t, 4>{127, 0, 0, 5}));
    EXPECT_EQ(settings.station, 7);
    EXPECT_EQ(settings.startAddress, "R2000");
    EXPECT_EQ(LoadNetworkSettings(file).scanDestination.text(), scan);
  }
}

// The demo's first module as the editor's scan finds it in trax-sim.
orvane::ModuleRecord scannedDemoModule(const test_support::TempDir& dir, std::uint16_t modulePort) {
  using namespace orvane;
  orvane::testing::writeFile(dir.path() / "fw.bin", orvane::testing::firmwareImage({0, 0, 1, 4}));  // major 4, as the demo's
  ConfigStore config{dir.path() / "Lumen_.ini"};
  config.writeText("FirmwareFileName", "fw.bin");
  config.writeText("BroadcastAddress", "127.0.0.1");
  config.writeInt("BroadcastPort", modulePort);
  orvane::testing::RecordingUi ui;
  orvane::testing::ScriptedPrompt prompt;
  ProcessFlags flags;
  UdpTransport transport;
  OrvaneViewCore core{ui, prompt, transport, config, flags};
  ui.status = &core.status();
  core.loadSettings();
  EXPECT_TRUE(core.startInitialScan());
  EXPECT_TRUE(core.worker().end(BackgroundOperation::kNoLimit));
  return core.table().record(core.table().findByMacText("00.11.22.33.44.55")).value_or(ModuleRecord{});
}

// Acceptance of the test command end to end, without windows: a module the
// editor finds is handed over, and Tessor, starting from the file, reads its
// registers where it serves, on loopback.
TEST(HandOff, AModuleTheEditorFindsIsReadByTessorAtItsLoopbackAddress) {
  test_support::ChildProcess sim(TRAX_BIN_DIR "/trax-sim", {"--listen", "127.0.0.1:0", "--no-scan", "--scenario",
                                                            TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/demo.json"});
  const auto modulePort = sim.waitForLine("listening 127.0.0.1:");
  const auto served = sim.waitForLine("modbus-listening 127.0.0.11:");
  ASSERT_TRUE(modulePort && served);
  test_support::TempDir dir;
  const orvane::ModuleRecord module = scannedDemoModule(dir, static_cast<std::uint16_t>(std::stoi(*modulePort)));
  ASSERT_EQ(module.currentIp, (orvane::Ipv4Bytes{127, 0, 0, 11}));

  // The file that travels with Tessor, with the port the demo's modules serve on.
  const auto file = dir.path() / "Config.ini";
  std::filesystem::copy_file(TRAX_SOURCE_DIR "/tessor/gui/Config.ini", file);
  std::ofstream(file, std::ios::app) << "[MODBUSTCPIP]\r\nPort=" << served->substr(0, served->find(' ')) << "\r\n";
  ASSERT_TRUE(orvane::writeHandOffFile(file, module));

  TessorSettings settings;
  ASSERT_TRUE(LoadSettings(file, settings));
  EXPECT_EQ(settings.ip, (std::array<std::uint8_t, 4>{127, 0, 0, 11}));
  EXPECT_EQ(settings.station, 1);
  ConnectionFields connection;
  connection.ip = settings.ip;
  connection.station = settings.station;
  connection.retries = settings.retries;
  connection.timeout = settings.timeout;
  connection.port = LoadNetworkSettings(file).modbusPort;
  DataTable table;
  testing::RecordingPrompt prompt;
  testing::FakeRequestView view{table};
  ModbusSession session{linkedQuorra(), table, prompt, view};
  ASSERT_TRUE(session.Connect(connection));
  session.setFields({settings.startAddress, std::to_string(settings.length), settings.displayType});
  table.setStartAddress(settings.startAddress);
  table.setSelectedFormat(settings.displayType);
  table.setPreviousFormat(settings.displayType);
  table.Relayout(settings.length, false);
  ASSERT_EQ(pressFunctionButton(session, table, prompt, FunctionButton::FC3), kRequestOk);
  EXPECT_EQ(table.cell(1, 1), "1");
  EXPECT_EQ(table.cell(2, 1), "1234");  // R2010 and R2011 in hexadecimal
  EXPECT_EQ(table.cell(2, 2), "FFFF");
}

}  // namespace
}  // namespace tessor
