#include "platform/ini_file.h"
#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
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
      // 32 bits without sign, wrapping: no input overflows.
      {"-2147483648", INT_MIN}, {"2147483648", INT_MIN}, {"4294967295", -1},
      {"-4294967295", 1}, {"18446744073709551617", 1}, {"99999999999999999999", 1661992959},
  };
  for (const auto& [text, expected] : rows) {
    EXPECT_EQ(platform::parseProfileInt(text), expected) << text;
  }
}

TEST(IniFile, RewritesTheFirstOfDuplicateKeysInTheTextsOwnLineEnds) {
  struct Row {
    const char* text;
    const char* afterWrite;  // of [App] K=v
  };
  const Row rows[] = {
      {"[App]\nK=1\nk=2\n", "[App]\nK=v\nk=2\n"},
      {"[App]\r\nX=1\r\n\r\n[B]\nK=2", "[App]\r\nX=1\r\nK=v\r\n\r\n[B]\r\nK=2\r\n"},
      {"X=1\n", "X=1\n[App]\nK=v\n"},
      {"", "[App]\r\nK=v\r\n"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(platform::setProfileValue(row.text, "App", "K", "v"), row.afterWrite) << row.text;
  }
  EXPECT_EQ(platform::findProfileValue("[App]\nK=1\nk=2\n", "app", "k"), "1");
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

TEST(IniFile, ReplacingTheFileKeepsItsPermissions) {
  test_support::TempDir dir;
  const auto ini = dir.path() / "a.ini";
  spit(ini, "[App]\r\nK=1\r\n");
  ::chmod(ini.c_str(), 0604);
  ASSERT_TRUE(writeProfileString(ini, "App", "K", "2"));
  struct stat st {};
  ASSERT_EQ(::stat(ini.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0604u);
  EXPECT_EQ(slurp(ini), "[App]\r\nK=2\r\n");
}

// Windows reads what it cannot open as missing; here that must not wait on
// a FIFO, and a write must not replace what it could not read.
TEST(IniFile, WhatIsNoRegularFileReadsAsMissingWithoutWaiting) {
  test_support::TempDir dir;
  const auto fifo = dir.path() / "fifo.ini";
  const auto directory = dir.path() / "dir.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(directory);
  for (const auto& path : {fifo, directory}) {
    EXPECT_EQ(readProfileString(path, "App", "K", "dflt"), "dflt") << path;
    EXPECT_FALSE(writeProfileString(path, "App", "K", "1")) << path;
  }
  EXPECT_EQ(platform::readRegularFile(fifo).status, platform::FileContents::Status::NotRegular);
  EXPECT_EQ(platform::readRegularFile(directory).error, std::errc::is_a_directory);
  EXPECT_EQ(platform::readRegularFile(dir.path() / "none").status,
            platform::FileContents::Status::Missing);
}

}  // namespace
