#pragma once
// The commands of tessor-cli: one file each, found by name in dispatcher.cpp.
#include <string>
#include <vector>

#include "tessor/cli/cli_config.h"
#include "tessor/cli/cli_session.h"

namespace tessor::cli {

using Arguments = std::vector<std::string>;

int runRead(const CliConfig& config, const Arguments& args, Streams streams);
int runWrite(const CliConfig& config, const Arguments& args, Streams streams);
int runPoll(const CliConfig& config, const Arguments& args, Streams streams);
int runScan(const CliConfig& config, const Arguments& args, Streams streams);

// --help's text.
std::string usageText();

// The whole program: `args` without the program name. Returns the exit status.
int runCli(const Arguments& args, Streams streams);

}  // namespace tessor::cli
