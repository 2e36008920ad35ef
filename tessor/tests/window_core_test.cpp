// The main window's decisions without the window: the settings file, the
// enabling of its controls, the saved placement and the IP dialog's texts.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/ini_file.h"
#include "tessor/core/module_scan.h"
#include "tessor/core/tessor_settings.h"
#include "tessor/core/window_controls.h"
#include "tessor/core/window_placement.h"
#include "test_support/temp_dir.h"

namespace tessor {
namespace {

std::string readAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeAll(const std::filesystem::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

TEST(TessorSettings, IncompleteFilesGiveTheDefaults) {
  const char* const files[] = {
      "",  // no file at all
      "[MODBUSTCPIP]\r\nIP Address0=10\r\nIP Address1=0\r\nIP Address2=0\r\nIP Address3=7\r\n"
      "Station=4\r\n",  // the hand-off alone: no start address
      "[MODBUSTCPIP]\r\nIP Address0=10\r\nIP Address1=255\r\nIP Address2=0\r\nIP Address3=7\r\n"
      "[DATAEXCHANGE]\r\nStart Address=Q0\r\n",  // 255 counts as missing
  };
  for (const char* text : files) {
    test_support::TempDir dir;
    const auto file = dir.path() / "Config.ini";
    if (*text) writeAll(file, text);
    TessorSettings s;
    EXPECT_FALSE(LoadSettings(file, s)) << text;
    ApplyDefaultSettings(s);
    EXPECT_EQ(s.ip, (std::array<std::uint8_t, 4>{192, 168, 10, 96}));
    EXPECT_EQ(s.startAddress, "R2000");
    EXPECT_EQ(s.station, 1);
    EXPECT_EQ(s.retries, 3);
    EXPECT_EQ(s.timeout, 1);
    EXPECT_EQ(s.length, 10);
    EXPECT_EQ(s.displayType, 2);
    EXPECT_EQ(s.gridColumn, 8);
  }
}

TEST(TessorSettings, SaveKeepsWhatItDoesNotWriteByteForByte) {
  test_support::TempDir dir;
  const auto file = dir.path() / "Config.ini";
  writeAll(file,
           "; from the editor\r\n[MODBUSTCPIP]\r\nIP Address0=127\r\nIP Address1=0\r\n"
           "IP Address2=0\r\nIP Address3=1\r\nPort=1502\r\nScanAddress=127.0.0.9\r\n"
           "[DATAEXCHANGE]\r\nStart Address=GI10\r\nGrid Column=10\r\n"
           "[MONITOR]\r\nIgnore Error=1\r\nTime Interval=19\r\n[Other]\r\nx = keep me \r\n");
  TessorSettings s;
  ASSERT_TRUE(LoadSettings(file, s));
  EXPECT_EQ(s.station, 0);
  EXPECT_EQ(s.timeout, 30);
  EXPECT_EQ(s.gridColumn, 10);
  EXPECT_TRUE(s.ignoreError);
  EXPECT_EQ(s.timeInterval, 19);
  const NetworkSettings network = LoadNetworkSettings(file);
  EXPECT_EQ(network.modbusPort, 1502);
  EXPECT_EQ(network.scanDestination.text(), "127.0.0.9:28784");

  s.station = 9;
  s.gridColumn = 3;  // never written
  ASSERT_TRUE(SaveSettings(file, s));
  const std::string after = readAll(file);
  EXPECT_NE(after.find("; from the editor\r\n"), std::string::npos);
  EXPECT_NE(after.find("Port=1502\r\nScanAddress=127.0.0.9\r\n"), std::string::npos);
  EXPECT_NE(after.find("Grid Column=10\r\n"), std::string::npos);
  EXPECT_NE(after.find("[Other]\r\nx = keep me \r\n"), std::string::npos);
  EXPECT_NE(after.find("Station=9\r\n"), std::string::npos);
  TessorSettings again;
  ASSERT_TRUE(LoadSettings(file, again));
  EXPECT_EQ(again.station, 9);
  EXPECT_EQ(again.startAddress, "GI10");
  EXPECT_EQ(LoadNetworkSettings(dir.path() / "none.ini").scanDestination.text(),
            "255.255.255.255:28784");
}

TEST(WindowControls, EnablingFollowsStateAndRegisterType) {
  const std::array<bool, kFunctionButtonCount> none{};
  struct Row {
    WindowState state;
    bool connect, exit, ip, startAddress, startStop, fc3, fc1;
  };
  const Row rows[] = {
      {{false, false, false, 0}, true, true, true, false, false, false, false},
      {{true, false, false, 0}, true, false, false, true, true, true, false},   // R
      {{true, false, false, 5}, true, false, false, true, true, false, true},   // Q
      {{true, true, false, 0}, false, false, false, false, true, false, false},  // polling
      {{true, false, true, 0}, false, false, false, true, true, false, false},  // worker finishing
  };
  for (const Row& r : rows) {
    const ControlStates c = decideControls(r.state, none);
    EXPECT_EQ(c.enabled(WindowControl::Connect), r.connect);
    EXPECT_EQ(c.enabled(WindowControl::Exit), r.exit);
    EXPECT_EQ(c.enabled(WindowControl::IpButton), r.ip);
    EXPECT_EQ(c.enabled(WindowControl::StartAddress), r.startAddress);
    EXPECT_EQ(c.enabled(WindowControl::StartStop), r.startStop);
    EXPECT_EQ(c.enabled(FunctionButton::FC3), r.fc3);
    EXPECT_EQ(c.enabled(FunctionButton::FC1), r.fc1);
  }
  std::array<bool, kFunctionButtonCount> previous{};
  previous[static_cast<std::size_t>(FunctionButton::FC16)] = true;
  EXPECT_TRUE(decideControls({true, false, false, std::nullopt}, previous).enabled(FunctionButton::FC16));
}

TEST(WindowPlacement, InterruptedSaveIsIgnoredAndPlacementStaysOnScreen) {
  test_support::TempDir dir;
  const auto profile = dir.path() / "Tessor.ini";
  const PlacementRect current{0, 0, 600, 500};
  EXPECT_FALSE(RestorePlacement(profile, current));
  ASSERT_TRUE(SavePlacement(profile, {1900, 1000, 2700, 1700}, 1));
  EXPECT_EQ(RestorePlacement(profile, current), (PlacementRect{1900, 1000, 2700, 1700}));
  platform::writeProfileString(profile, "Modbus TCP IP Tools", "(check)", "-32640");
  EXPECT_FALSE(RestorePlacement(profile, current));

  const std::vector<PlacementRect> screens{{0, 0, 1024, 768}, {1024, 0, 1824, 600}};
  EXPECT_EQ(clampToScreens({1900, 1000, 2700, 1700}, screens), (PlacementRect{224, 68, 1024, 768}));
  EXPECT_EQ(clampToScreens({1500, 100, 1700, 300}, screens), (PlacementRect{1500, 100, 1700, 300}));
  EXPECT_EQ(clampToScreens({-50, 0, 2000, 900}, screens), (PlacementRect{0, 0, 1024, 768}));
}

// An answer of `size` bytes whose bytes 19-22 hold `carried`.
std::vector<std::uint8_t> scanAnswer(std::size_t size, std::array<std::uint8_t, 4> carried) {
  std::vector<std::uint8_t> answer(32, 0);
  std::copy(carried.begin(), carried.end(), answer.begin() + 19);
  answer.resize(size);
  return answer;
}

TEST(ModuleScanTexts, RowsAddressesAndAdapters) {
  constexpr std::uint32_t kSender = 0x7F000001;  // 127.0.0.1
  const std::pair<std::vector<std::uint8_t>, const char*> rows[] = {
      {scanAnswer(32, {192, 168, 10, 99}), "192.168.10.99"},
      {scanAnswer(32, {10, 0, 0, 7}), "10.0.0.7"},        // another network than 192.168.10
      {scanAnswer(23, {127, 0, 0, 11}), "127.0.0.11"},    // just long enough
      {scanAnswer(32, {0, 0, 0, 0}), "127.0.0.1"},        // no address: the sender's
      {scanAnswer(22, {127, 0, 0, 11}), "127.0.0.1"},     // too short for one
      {{}, "127.0.0.1"},
  };
  for (const auto& [answer, row] : rows) EXPECT_EQ(scanRowAddress(answer, kSender), row) << row;
  const std::pair<const char*, std::array<std::uint8_t, 4>> addresses[] = {
      {"10.0.1", {10, 0, 1, 255}}, {"300.1.1.1", {44, 1, 1, 1}}, {"192.168.10.99", {192, 168, 10, 99}}};
  for (const auto& [text, bytes] : addresses) EXPECT_EQ(parseDialogAddress(text), bytes) << text;
  EXPECT_TRUE(localAddressUsable("10.1.2.3"));
  EXPECT_FALSE(localAddressUsable(""));
  EXPECT_FALSE(localAddressUsable("10.1.2.310.1.2.4"));  // two addresses joined

  const std::vector<platform::NetworkAdapter> adapters{
      {"lo", {"127.0.0.1"}, {"255.0.0.0"}, {}, {}},
      {"eth0", {"10.1.2.3"}, {"255.255.0.0"}, {"10.1.0.1", "10.1.0.2"}, "10.1.0.9"}};
  const AdapterFields fields = adapterFields(adapters);
  EXPECT_EQ(fields.ip, "10.1.2.3");
  EXPECT_EQ(fields.mask, "255.255.0.0");
  EXPECT_EQ(fields.gateway, "10.1.0.1 10.1.0.2");
  EXPECT_EQ(fields.dns, "10.1.0.9");
}

}  // namespace
}  // namespace tessor
