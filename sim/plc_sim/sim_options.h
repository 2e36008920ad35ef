#pragma once
// plc-sim's command line.
#include <optional>
#include <string>
#include <vector>

#include "sim/plc_sim/link_session.h"

namespace plc_sim {

struct SimOptions {
  std::string scenarioPath;  // empty: all memory 0
  LinkFaults faults;
  unsigned baud = 0;         // pace every byte at this speed, 8N1; 0: no pacing
  unsigned nakGapMs = 50;    // pause between NAKs and before the reply that follows them
  bool log = false;          // print rx:/tx: lines and events
  bool help = false;
  bool version = false;
};

struct ParsedOptions {
  std::optional<SimOptions> options;
  std::string error;
};

ParsedOptions parseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace plc_sim
