#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/ini_file.h"
#include "platform/settings_location.h"

namespace {

namespace fs = std::filesystem;

struct TempTree {
  fs::path root = fs::temp_directory_path() / ("settings_location_" + std::to_string(::getpid()));
  TempTree() { fs::create_directories(root / "prog" / "ORVANETEST"); }
  ~TempTree() { fs::remove_all(root); }
};

TEST(SettingsLocation, AReadOnlyProgramDirectoryGetsOnePerUserCopyThatIsThenUsed) {
  TempTree tree;
  const auto program = tree.root / "prog";
  const auto copies = tree.root / "home";
  std::ofstream(program / "Lumen_.ini") << "[App]\r\nProtocolType=1\r\n";

  const auto first = platform::settingsFile(program / "Lumen_.ini", copies, false);
  ASSERT_TRUE(first.copyMadeNow);
  EXPECT_EQ(first.path, copies / (program / "Lumen_.ini").relative_path());
  EXPECT_EQ(platform::readProfileInt(first.path, "App", "ProtocolType", 0), 1);
  ASSERT_TRUE(platform::writeProfileString(first.path, "App", "ProtocolType", "0"));

  // Later runs, and Tessor naming Config.ini from its own directory, find the copy without telling again.
  const auto again = platform::settingsFile(program / "Lumen_.ini", copies, false);
  EXPECT_FALSE(again.copyMadeNow);
  EXPECT_EQ(again.path, first.path);
  EXPECT_EQ(platform::readProfileInt(again.path, "App", "ProtocolType", 0), 0);
  EXPECT_EQ(platform::readProfileInt(program / "Lumen_.ini", "App", "ProtocolType", 0), 1);

  const auto fromOrvane = platform::settingsFile(program / "ORVANETEST" / "Config.ini", copies, false);
  EXPECT_TRUE(fromOrvane.copyMadeNow);
  const auto fromTessor = platform::settingsFile(program / "ORVANETEST/./Config.ini", copies, false);
  EXPECT_EQ(fromTessor.path, fromOrvane.path);
  EXPECT_FALSE(fromTessor.copyMadeNow);

  EXPECT_EQ(platform::settingsFile(program / "Other.ini", copies, true).path, program / "Other.ini");
  EXPECT_EQ(platform::settingsFile(program / "Missing" / "Config.ini", copies, false).path,
            program / "Missing" / "Config.ini");
}

}  // namespace
