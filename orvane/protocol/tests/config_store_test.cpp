#include "orvane/protocol/config_store.h"

#include <gtest/gtest.h>

#include "orvane/protocol/destination.h"
#include "test_support/temp_dir.h"

namespace {

TEST(ConfigStore, DefaultsAndRoundTrips) {
  test_support::TempDir dir;
  const orvane::ConfigStore store(dir.path() / "Lumen_.ini");
  EXPECT_EQ(store.readInt("ProtocolType"), 0);
  EXPECT_EQ(store.readText("FirmwareFileName"), "");
  ASSERT_TRUE(store.writeInt("PortCom", -3));
  ASSERT_TRUE(store.writeText("FirmwareFileName", "M4.bin"));
  EXPECT_EQ(store.readInt("portcom"), -3);
  EXPECT_EQ(store.readText("FirmwareFileName"), "M4.bin");
}

// `--config Lumen_.ini` names a file in the working folder: the firmware image
// beside it must be looked for there, not in the root folder.
TEST(ConfigStore, InterfacesAreACommaSeparatedList) {
  EXPECT_EQ(orvane::interfaceNamesFromList(" eth0, ,wlan0 ,"), (std::vector<std::string>{"eth0", "wlan0"}));
  EXPECT_TRUE(orvane::interfaceNamesFromList("").empty());
}

TEST(ConfigStore, ABareFileNameLiesInTheWorkingFolder) {
  EXPECT_EQ(orvane::ConfigStore("Lumen_.ini").directory(), std::filesystem::path("."));
  EXPECT_EQ(orvane::ConfigStore("/opt/trax/Lumen_.ini").directory(), std::filesystem::path("/opt/trax"));
}

}  // namespace
