// Writers of one settings file in threads and in other processes, while a
// reader reads it: no key ever reads as missing and none is lost.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/ini_file.h"
#include "test_support/temp_dir.h"

namespace {

using platform::readProfileString;
using platform::writeProfileString;

constexpr int kProcessWriters = 2;
constexpr int kThreadWriters = 2;
constexpr int kWriters = kProcessWriters + kThreadWriters;
constexpr int kWritesEach = 40;
constexpr int kMaxReads = 20000;

std::string keyOf(int writer) { return "Writer" + std::to_string(writer); }

bool writeSeries(const std::filesystem::path& ini, int writer) {
  for (int i = 1; i <= kWritesEach; ++i)
    if (!writeProfileString(ini, "App", keyOf(writer), std::to_string(i))) return false;
  return true;
}

TEST(IniFileConcurrency, WritersOfDifferentKeysKeepEachOthersAndReadersMissNone) {
  test_support::TempDir dir;
  const auto ini = dir.path() / "Lumen_.ini";
  std::ofstream(ini, std::ios::binary) << "[App]\r\nBroadcastAddress=127.0.0.1\r\n";
  for (int w = 0; w < kWriters; ++w) ASSERT_TRUE(writeProfileString(ini, "App", keyOf(w), "0"));

  // The processes start before any thread, so they inherit no lock held.
  std::vector<pid_t> children;
  for (int w = 0; w < kProcessWriters; ++w) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) ::_exit(writeSeries(ini, w) ? 0 : 1);
    children.push_back(pid);
  }
  std::atomic<bool> writing{true};
  std::atomic<int> misses{0};
  std::thread reader([&] {
    for (int i = 0; i < kMaxReads && writing; ++i) {
      if (readProfileString(ini, "App", "BroadcastAddress", "") != "127.0.0.1") ++misses;
      for (int w = 0; w < kWriters; ++w)
        if (readProfileString(ini, "App", keyOf(w), "").empty()) ++misses;
    }
  });
  std::vector<std::thread> threads;
  std::atomic<int> failedThreads{0};
  for (int w = kProcessWriters; w < kWriters; ++w)
    threads.emplace_back([&, w] { failedThreads += writeSeries(ini, w) ? 0 : 1; });
  for (auto& t : threads) t.join();
  for (const auto pid : children) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  writing = false;
  reader.join();

  EXPECT_EQ(failedThreads, 0);
  EXPECT_EQ(misses, 0);
  for (int w = 0; w < kWriters; ++w)
    EXPECT_EQ(readProfileString(ini, "App", keyOf(w), ""), std::to_string(kWritesEach)) << w;
  EXPECT_EQ(readProfileString(ini, "App", "BroadcastAddress", ""), "127.0.0.1");
}

}  // namespace
