#pragma once
// The subcommands of orvane-cli: one file each, found by name here.
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "cli_options.h"
#include "orvane/protocol/datagram_transport.h"

namespace orvane::cli {

// Standard output carries results only; messages, questions and progress go
// to standard error.
struct Streams {
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;  // progress is then drawn as a bar in place
};

using SubcommandFunction = int (*)(const GlobalOptions&, std::span<const std::string> args,
                                   Streams streams);

struct Subcommand {
  std::string_view name;
  std::string_view usage;  // the arguments after the name
  std::string_view summary;
  SubcommandFunction run;
  // Whether it has a meaning with --serial: the advanced settings, the peer
  // table and the upgrade travel only over the network.
  bool onSerialRoute = false;
};

std::span<const Subcommand> subcommands();
const Subcommand* findSubcommand(std::string_view name);

int runScan(const GlobalOptions& options, std::span<const std::string> args, Streams streams);
// The scan over a given transport (tests use a fake one).
int runScanWith(DatagramTransport& transport, const GlobalOptions& options,
                std::span<const std::string> args, Streams streams);

// The scan on the serial route (--serial COMn), after its arguments are read.
int runSerialScan(const GlobalOptions& options, bool json, Streams streams);

// The whole program: parses `args` (without the program name) and runs the
// subcommand; text arguments are in `textCharset` (command_line_text.h).
// Returns the exit status.
int runCli(const std::vector<std::string>& args, Streams streams,
           const std::string& textCharset = "UTF-8");

}  // namespace orvane::cli
