#pragma once
// The command line of trax-sim (the simulator itself; make-image has its own).
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/udp_socket.h"
#include "scenario_loader.h"

namespace trax_sim {

inline constexpr std::uint16_t kModulePort = 58580;
inline constexpr std::uint16_t kScanPort = 28784;

struct Options {
  platform::Endpoint listen{0x7F000001, kModulePort};
  std::optional<platform::Endpoint> scanListen;  // absent: derived from `listen`
  bool scanEnabled = true;
  bool allowNonLoopback = false;
  // The scenario's Modbus TCP ports even with a port-0 --listen: the demo's
  // modules all serve on the one port that Tessor's settings name.
  bool keepModbusPorts = false;
  bool log = false;
  bool logReplies = false;
  std::vector<std::string> scenarioFiles;
  std::vector<std::string> moduleTexts;
  int generatedCount = 0;
  Version4 generatedFirmware{3, 0, 1, 4};
  std::vector<std::pair<std::string, std::string>> faults;  // selector ("all" or MAC), rule text
  std::vector<std::pair<std::string, std::string>> modbusFaults;  // the same, for the Modbus TCP replies
  TimingOverrides timing;
  std::string dumpDir;
  bool help = false;
  bool version = false;
};

// Throws std::runtime_error with a message for the user.
Options parseOptions(const std::vector<std::string>& args);

// The scan port's endpoint: the given one, else the listen host with port
// 28784, or a free port when the listen port is 0 (tests run side by side).
platform::Endpoint scanEndpoint(const Options& options);

bool isLoopback(const platform::Endpoint& endpoint);

// Every module of the run: scenario files, then --module objects, then the
// generated ones, with --fault rules added. Throws on bad input.
std::vector<Module> buildModules(const Options& options);

extern const char* const kUsage;

}  // namespace trax_sim
