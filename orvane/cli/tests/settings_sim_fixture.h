#pragma once
// orvane-cli's settings subcommands run in this process (the program's own
// code, on the real UDP socket) against trax-sim on loopback.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "trax_sim_peer.h"
#include "orvane/cli/settings_session.h"
#include "orvane/cli/settings_subcommands.h"
#include "orvane/protocol/config_store.h"
#include "orvane/protocol/tests/image_file.h"
#include "test_support/temp_dir.h"

namespace orvane::cli {

using namespace orvane::testing;
using Frames = std::vector<std::vector<std::uint8_t>>;

inline constexpr const char* kMac = "00-11-22-33-44-55";
inline const std::string kModule =
    R"({"mac":"00-11-22-33-44-55","name":"一号线主站","moduleId":1,"ipAddress":"192.168.10.11",)"
    R"("advanced":{"reservedA":7,"reservedB":300,"reservedByte":1,"masterTimeoutMs":500,"slaveTimeoutSec":30},)"
    R"("peers":[{"device":1,"kind":"TRAX","ip":"192.168.10.12"},)"
    R"({"device":2,"kind":"Modbus","ip":"192.168.10.50","port":502,"unit":1,"reserved":[1,2,3]}]})";

class SettingsSimTest : public ::testing::Test {
 protected:
  void start(std::vector<std::string> args) {
    writeFile(dir.path() / "fw.bin", firmwareImage({5, 0, 1, 4}));
    ConfigStore config(dir.path() / "Lumen_.ini");
    config.writeText("FirmwareFileName", "fw.bin");
    config.writeText("BroadcastAddress", "127.0.0.1");  // nothing leaves loopback
    config.writeInt("BroadcastPort", 9);
    sim = std::make_unique<TraxSimPeer>(std::move(args));
    ASSERT_TRUE(sim->ready());
  }
  std::vector<std::string> global() const {
    return {"--target", sim->target(), "--config", (dir.path() / "Lumen_.ini").string()};
  }
  int run(std::vector<std::string> args) {
    out.str({});
    err.str({});
    auto line = global();
    line.insert(line.end(), args.begin(), args.end());
    return runCli(line, {out, err});
  }
  int restore(std::vector<std::string> args, const std::string& answer) {
    out.str({});
    err.str({});
    GlobalOptions options;
    options.target = sim->endpoint();
    options.config = dir.path() / "Lumen_.ini";
    UdpTransport transport;
    std::istringstream in(answer);
    return runRestoreWith(transport, options, args, {out, err}, in);
  }
  // The frames of a command after its scan (discovery and the scan's reads).
  static Frames afterScan(const Frames& frames, std::size_t scanFrames) {
    return {frames.begin() + static_cast<std::ptrdiff_t>(std::min(scanFrames, frames.size())),
            frames.end()};
  }
  nlohmann::json scanJson() {
    EXPECT_EQ(run({"scan", "--json"}), kExitOk);
    return nlohmann::json::parse(out.str());
  }

  test_support::TempDir dir;
  std::unique_ptr<TraxSimPeer> sim;
  std::ostringstream out, err;
};

}  // namespace orvane::cli
