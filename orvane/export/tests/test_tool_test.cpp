// The test command without its window: the hand-off file and Tessor's start.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "orvane/export/test_tool.h"
#include "test_support/temp_dir.h"

namespace orvane {
namespace {

std::string fileText(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

ModuleRecord module(std::uint8_t fixedId, std::uint32_t moduleId) {
  ModuleRecord r;
  r.currentIp = {192, 168, 10, 105};
  r.ipAddress = {10, 0, 0, 1};  // the manual address is not the one handed over
  r.fixedId = fixedId;
  r.moduleId = moduleId;
  return r;
}

TEST(TestTool, HandOffFileKeepsOtherKeys) {
  struct Case {
    std::uint8_t fixedId;
    std::uint32_t moduleId;
    const char* station;
  };
  for (const Case c : {Case{3, 1200, "3"}, Case{0, 1200, "1200"}}) {
    test_support::TempDir dir;
    const auto file = dir.path() / "Config.ini";
    std::ofstream(file, std::ios::binary)
        << "[MODBUSTCPIP]\r\nIP Address0=1\r\nRetry=3\r\n[DATAEXCHANGE]\r\nStart Address=R2000\r\n";
    ASSERT_TRUE(writeHandOffFile(file, module(c.fixedId, c.moduleId)));
    EXPECT_EQ(fileText(file),
              "[MODBUSTCPIP]\r\nIP Address0=192\r\nRetry=3\r\nIP Address1=168\r\nIP Address2=10\r\n"
              "IP Address3=105\r\nStation=" + std::string(c.station) +
                  "\r\n[DATAEXCHANGE]\r\nStart Address=R2000\r\n");
  }
}

TEST(TestTool, NothingWithoutTheDirectory) {
  test_support::TempDir dir;
  EXPECT_EQ(startTestTool(dir.path(), module(0, 1)), TestToolOutcome::NoDirectory);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// A stand-in for Tessor that writes where it was started; the test polls for
// that file a bounded number of times.
TEST(TestTool, StartsTheProgramInItsDirectory) {
  test_support::TempDir dir;
  const auto testDir = dir.path() / kTestToolDirectory;
  std::filesystem::create_directory(testDir);
  const auto program = testDir / kTestToolBaseName;
  std::ofstream(program) << "#!/bin/sh\npwd > started.txt.tmp && echo \"$#\" >> started.txt.tmp"
                            " && mv started.txt.tmp started.txt\n";
  ::chmod(program.c_str(), 0755);

  EXPECT_EQ(startTestTool(dir.path(), module(0, 7)), TestToolOutcome::Started);
  EXPECT_NE(fileText(testDir / "Config.ini").find("Station=7"), std::string::npos);
  const auto record = testDir / "started.txt";
  for (int i = 0; i < 500 && !std::filesystem::exists(record); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(fileText(record), std::filesystem::canonical(testDir).string() + "\n0\n");

  std::filesystem::remove(program);
  EXPECT_EQ(startTestTool(dir.path(), module(0, 7)), TestToolOutcome::StartFailed);
}

}  // namespace
}  // namespace orvane
