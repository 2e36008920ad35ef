#include "orvane/protocol/panel_state.h"

#include <gtest/gtest.h>

#include "orvane/protocol/title_format.h"

namespace orvane {
namespace {

TEST(PanelState, InformationRowsPerRoute) {
  struct Row {
    InfoRow row;
    bool network, serial;
  };
  const Row rows[] = {
      {InfoRow::Firmware, true, true}, {InfoRow::Boot, true, false},
      {InfoRow::Switches, true, false}, {InfoRow::Pwb, true, false},
      {InfoRow::Pld, true, false},      {InfoRow::Cpu, false, false},
      {InfoRow::Interface, true, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(static_cast<int>(r.row));
    EXPECT_EQ(infoRowShown(r.row, 0), r.network);
    EXPECT_EQ(infoRowShown(r.row, 1), r.serial);
  }
  EXPECT_EQ(interfaceRowText("eth1"), "eth1");
  EXPECT_EQ(interfaceRowText(""), "----");  // a single destination
}

TEST(PanelState, ConfigurationButtonsPerRouteAndRunMode) {
  struct Row {
    int protocol;
    std::uint8_t runMode;
    bool basic, advanced, peer, upgrade;
    std::optional<bool> restore;
  };
  const Row rows[] = {
      {0, 0, true, true, true, true, true},  // nothing selected
      {0, 2, true, true, true, true, true},
      {0, 1, false, false, false, true, false},  // boot loader
      {1, 2, true, false, false, false, std::nullopt},
      {1, 1, true, false, false, false, std::nullopt},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.protocol << "/" << int(r.runMode));
    const auto e = configPanelEnabling(r.protocol, r.runMode);
    EXPECT_EQ(e.basic, r.basic);
    EXPECT_EQ(e.advanced, r.advanced);
    EXPECT_EQ(e.peer, r.peer);
    EXPECT_EQ(e.upgrade, r.upgrade);
    EXPECT_EQ(e.restore, r.restore);
  }
}

TEST(TitleFormat, DebugVersionSuffix) {
  const VersionNumbers v{2, 0, 1, 1};
  EXPECT_EQ(frameTitle("ORVANE", v, 0), "ORVANE (Ver2.0.1.1)");
  EXPECT_EQ(frameTitle("ORVANE", v, 3), "ORVANE (Ver2.0.1.1 - D3)");
  EXPECT_EQ(aboutVersionLine(v, -1), "版本： V 2.0.1.1");
  EXPECT_EQ(aboutVersionLine(v, 3), "版本： V 2.0.1.1 - D3");
}

}  // namespace
}  // namespace orvane
