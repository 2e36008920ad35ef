#pragma once
// What every orvane-cli subcommand does before its own work: find the
// configuration store, point the editor's core at the network, and run the
// editor's scan that fills the module list the command is chosen from.
#include <optional>
#include <ostream>

#include "cli_options.h"
#include "orvane/protocol/orvane_view_core.h"

namespace orvane::cli {

// --config FILE, or Lumen_.ini in the program directory (which may be
// missing). Nothing, after a message on `err`, when --config names no file or
// either file exists but cannot be read (the reason is in the message).
std::optional<ConfigStore> cliConfig(const GlobalOptions& options, std::ostream& err);

// The editor's settings, the network route for this run, --target and
// --interface.
void prepareNetworkCore(OrvaneViewCore& core, const GlobalOptions& options);

// Background operation 1, waited for. False, after the failure text on `err`,
// when the socket could not be set up or the request not sent.
bool scanModules(OrvaneViewCore& core, std::ostream& err);

}  // namespace orvane::cli
