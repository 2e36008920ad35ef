// A configuration file that exists but cannot be read stops every command
// before anything is sent: read as empty, it would send to the default
// broadcast address instead of the one it names. Every request here would go
// to a peer on 127.0.0.1.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "orvane/cli/cli_options.h"
#include "orvane/cli/subcommands.h"
#include "orvane/protocol/tests/loopback_responder.h"
#include "test_support/temp_dir.h"

namespace orvane::cli {
namespace {

using orvane::testing::LoopbackResponder;

struct Unreadable {
  const char* name;
  std::function<void(const std::filesystem::path&)> make;
  const char* reason;
};

// Root reads whatever its permissions say; that row needs another user.
std::vector<Unreadable> unreadableFiles() {
  std::vector<Unreadable> rows{
      {"directory", [](const auto& p) { std::filesystem::create_directory(p); }, "Is a directory"},
      {"fifo", [](const auto& p) { ::mkfifo(p.c_str(), 0600); }, "不是普通文件"},
  };
  if (::geteuid() != 0)
    rows.push_back({"no permission",
                    [](const auto& p) {
                      std::ofstream(p) << "[App]\nBroadcastAddress=127.0.0.1\n";
                      ::chmod(p.c_str(), 0);
                    },
                    "Permission denied"});
  return rows;
}

TEST(CliConfig, AnUnreadableConfigFileStopsTheCommandBeforeAnythingIsSent) {
  LoopbackResponder peer([](const auto&) { return std::vector<LoopbackResponder::Bytes>{}; });
  const auto target = peer.endpoint().text();
  for (const auto& row : unreadableFiles()) {
    test_support::TempDir dir;
    const auto ini = dir.path() / "Lumen_.ini";
    row.make(ini);
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"--target", target, "--config", ini.string(), "scan"}, {out, err}), kExitUsage)
        << row.name;
    EXPECT_NE(err.str().find(ini.string() + ": " + row.reason), std::string::npos) << err.str();
  }
  EXPECT_TRUE(peer.received().empty());
}

TEST(CliConfig, AnUnreadableLumenIniInTheProgramDirectoryStopsTheCommand) {
  LoopbackResponder peer([](const auto&) { return std::vector<LoopbackResponder::Bytes>{}; });
  test_support::TempDir dir;
  const auto program = dir.path() / "orvane-cli";
  std::filesystem::copy_file(TRAX_BIN_DIR "/orvane-cli", program);
  const auto errFile = dir.path() / "err.txt";
  for (const auto& row : unreadableFiles()) {
    const auto ini = dir.path() / "Lumen_.ini";
    std::filesystem::remove(ini);
    row.make(ini);
    const auto command = program.string() + " --target " + peer.endpoint().text() + " scan 2>" +
                         errFile.string() + " >/dev/null";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kExitUsage) << row.name;
    std::ifstream in(errFile);
    const std::string err(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(err.find(ini.string() + ": " + row.reason), std::string::npos) << err;
  }
  EXPECT_TRUE(peer.received().empty());
}

}  // namespace
}  // namespace orvane::cli
