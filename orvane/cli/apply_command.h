#pragma once
// orvane-cli apply FILE.csv [--yes] [--dry-run] [--wait MS]: the settings of
// many modules from one file (batch_file.h), each through the editor's own
// settings commands. Exit status 0 every module configured (or nothing to
// change), 1 some failed, 2 the file or the command line was refused
// (nothing sent), 3 the question was answered no (nothing sent).
#include <istream>
#include <span>
#include <string>

#include "subcommands.h"

namespace orvane::cli {

int runApply(const GlobalOptions& options, std::span<const std::string> args, Streams streams);
int runApplyWith(DatagramTransport& transport, const GlobalOptions& options,
                 std::span<const std::string> args, Streams streams, std::istream& in);

}  // namespace orvane::cli
