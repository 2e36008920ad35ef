#pragma once
// plc-sim started for one test with --log, its terminal mapped to COM<port>,
// and everything it receives collected from its rx: lines.
#include <stdlib.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "test_support/child_process.h"
#include "test_support/temp_dir.h"
#include "wirelet/tests/hex.h"
#include "wirelet/tethra/tethra.h"

namespace wirelet_test {

class PlcSimProcess {
 public:
  PlcSimProcess(int port, std::vector<std::string> args, const std::string& scenario = "") : port_(port) {
    if (!scenario.empty()) {
      const auto file = dir_.path() / "plc.json";
      std::ofstream(file) << scenario;
      args.insert(args.begin(), {"--scenario", file.string()});
    }
    args.push_back("--log");
    child_ = std::make_unique<test_support::ChildProcess>(std::string(TRAX_BIN_DIR) + "/plc-sim", args);
    if (const auto path = child_->waitForLine("pty: ")) path_ = *path;
    ::setenv(variable().c_str(), path_.c_str(), 1);
  }
  ~PlcSimProcess() { ::unsetenv(variable().c_str()); }

  bool ready() const { return !path_.empty(); }

  // Reads the simulator's lines up to one that starts with `prefix`.
  std::optional<std::string> waitFor(const std::string& prefix) {
    for (int i = 0; i < 500; ++i) {
      const auto line = child_->readLine();
      if (!line) return std::nullopt;
      if (line->rfind("rx: ", 0) == 0) {
        const auto bytes = fromHex(line->substr(4));
        received_.insert(received_.end(), bytes.begin(), bytes.end());
      }
      if (line->rfind(prefix, 0) == 0) return line->substr(prefix.size());
    }
    return std::nullopt;
  }

  // Everything the simulator received since the last call, as hex: writes a
  // marker on the link and collects until it comes through.
  std::string receivedUntilMarker(int handle) {
    static const std::vector<std::uint8_t> kMarker{0xEE, 0xEF, 0xEE};
    WriteCom(handle, kMarker.data(), static_cast<int>(kMarker.size()));
    for (int i = 0; i < 200; ++i) {
      if (received_.size() >= kMarker.size() &&
          std::equal(kMarker.begin(), kMarker.end(), received_.end() - kMarker.size()))
        break;
      if (!waitFor("rx: ")) break;
    }
    if (received_.size() < kMarker.size()) return "(marker not seen)";
    received_.resize(received_.size() - kMarker.size());
    const std::string hex = toHex(received_);
    received_.clear();
    return hex;
  }

 private:
  std::string variable() const { return "TRAX_COM" + std::to_string(port_); }

  int port_;
  test_support::TempDir dir_;
  std::unique_ptr<test_support::ChildProcess> child_;
  std::string path_;
  std::vector<std::uint8_t> received_;
};

}  // namespace wirelet_test
