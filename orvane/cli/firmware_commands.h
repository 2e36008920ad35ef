#pragma once
// The firmware subcommands of orvane-cli: upgrade and image.
#include <istream>
#include <span>
#include <string>

#include "subcommands.h"

namespace orvane {
struct UpgradeTiming;
}

namespace orvane::cli {

// upgrade's exit status: 0 upgraded, 1 failed or refused, 2 a usage error,
// kExitCancelled (cli_options.h) when the user answered no.

// upgrade MAC [FILE] [--yes]
int runUpgrade(const GlobalOptions& options, std::span<const std::string> args, Streams streams);
// The same over a given transport, answering questions from `in`, with the
// given time-outs (tests shorten the polling).
int runUpgradeWith(DatagramTransport& transport, const GlobalOptions& options,
                   std::span<const std::string> args, Streams streams, std::istream& in,
                   const UpgradeTiming& timing);

// image FILE
int runImage(const GlobalOptions& options, std::span<const std::string> args, Streams streams);

}  // namespace orvane::cli
