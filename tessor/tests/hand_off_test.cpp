// The editor's test command and Tessor meet in Config.ini: the address and the
// station the editor writes into the file that travels with Tessor are what
// Tessor starts with.
#include <gtest/gtest.h>

#include "orvane/export/test_tool.h"
#include "tessor/core/tessor_settings.h"
#include "test_support/temp_dir.h"

namespace tessor {
namespace {

TEST(HandOff, TessorStartsWithTheModuleTheEditorHandsOver) {
  test_support::TempDir dir;
  const auto file = dir.path() / "Config.ini";
  std::filesystem::copy_file(TRAX_SOURCE_DIR "/tessor/gui/Config.ini", file);
  orvane::ModuleRecord module{};
  module.currentIp = {127, 0, 0, 5};
  module.moduleId = 7;
  ASSERT_TRUE(orvane::writeHandOffFile(file, module));
  TessorSettings settings;
  ASSERT_TRUE(LoadSettings(file, settings));
  EXPECT_EQ(settings.ip, (std::array<std::uint8_t, 4>{127, 0, 0, 5}));
  EXPECT_EQ(settings.station, 7);
  EXPECT_EQ(settings.startAddress, "R2000");
  EXPECT_EQ(LoadNetworkSettings(file).scanDestination.text(), "127.0.0.1:28784");
}

}  // namespace
}  // namespace tessor
