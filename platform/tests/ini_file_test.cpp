#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "test_support/temp_dir.h"

namespace {

using platform::readProfileInt;
using platform::readProfileString;
using platform::writeProfileString;

std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void spit(const std::filesystem::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

TEST(IniFile, ReadsCaseInsensitivelyAndToleratesCrlf) {
  test_support::TempDir dir;
  const auto ini = dir.path() / "Lumen_.ini";
  spit(ini, "; comment\r\n[Other]\r\nPortCom=9\r\n[app]\r\n  portcom = 3 \r\nName=\"quoted\"\r\n");
  EXPECT_EQ(readProfileInt(ini, "App", "PortCom", 0), 3);
  EXPECT_EQ(readProfileString(ini, "APP", "name", ""), "quoted");
  EXPECT_EQ(readProfileString(ini, "App", "Missing", "dflt"), "dflt");
  EXPECT_EQ(readProfileInt(ini, "Nowhere", "PortCom", 7), 7);
}

TEST(IniFile, ReadsIntegersTheWindowsWay) {
  const std::pair<const char*, int> rows[] = {
      {"12abc", 12}, {"-5", -5}, {"+8", 8}, {"abc", 0}, {"", 0}, {"  42", 42}, {"0x10", 0},
  };
  for (const auto& [text, expected] : rows) {
    EXPECT_EQ(platform::parseProfileInt(text), expected) << text;
  }
}

TEST(IniFile, TruncatesLongTexts) {
  test_support::TempDir dir;
  const auto ini = dir.path() / "a.ini";
  spit(ini, "[App]\nK=" + std::string(1500, 'x') + "\n");
  EXPECT_EQ(readProfileString(ini, "App", "K", "", 999).size(), 999u);
}

TEST(IniFile, WritesKeepingEverythingElse) {
  test_support::TempDir dir;
  const auto ini = dir.path() / "a.ini";
  spit(ini, "; keep me\r\n[App]\r\nProtocolType=0\r\n\r\n[Other]\r\nX=1\r\n");
  ASSERT_TRUE(writeProfileString(ini, "app", "protocoltype", "1"));
  ASSERT_TRUE(writeProfileString(ini, "App", "PortCom", "4"));
  ASSERT_TRUE(writeProfileString(ini, "New", "K", "v"));
  EXPECT_EQ(slurp(ini),
            "; keep me\r\n[App]\r\nprotocoltype=1\r\nPortCom=4\r\n\r\n[Other]\r\nX=1\r\n"
            "[New]\r\nK=v\r\n");
}

TEST(IniFile, CreatesTheFileButNotItsDirectory) {
  test_support::TempDir dir;
  EXPECT_TRUE(writeProfileString(dir.path() / "new.ini", "App", "K", "1"));
  EXPECT_EQ(readProfileInt(dir.path() / "new.ini", "App", "K", 0), 1);
  EXPECT_FALSE(writeProfileString(dir.path() / "missing" / "new.ini", "App", "K", "1"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

}  // namespace
