#pragma once
// plc-sim started for one test on a pseudo-terminal with a scenario, its
// terminal mapped to COM<port> through TRAX_COM<port>.
#include <stdlib.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "test_support/child_process.h"
#include "test_support/temp_dir.h"

namespace orvane::testing {

class PlcSimLine {
 public:
  PlcSimLine(int port, const std::string& scenario, std::vector<std::string> faults = {})
      : port_(port) {
    const auto file = dir_.path() / "plc.json";
    std::ofstream(file) << scenario;
    faults.insert(faults.begin(), {"--scenario", file.string()});
    child_ = std::make_unique<test_support::ChildProcess>(std::string(TRAX_BIN_DIR) + "/plc-sim", faults);
    if (const auto path = child_->waitForLine("pty: ")) path_ = *path;
    ::setenv(variable().c_str(), path_.c_str(), 1);
  }
  ~PlcSimLine() { ::unsetenv(variable().c_str()); }
  PlcSimLine(const PlcSimLine&) = delete;
  PlcSimLine& operator=(const PlcSimLine&) = delete;

  bool ready() const { return !path_.empty(); }

 private:
  std::string variable() const { return "TRAX_COM" + std::to_string(port_); }

  int port_;
  test_support::TempDir dir_;
  std::unique_ptr<test_support::ChildProcess> child_;
  std::string path_;
};

}  // namespace orvane::testing
