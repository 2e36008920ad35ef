#pragma once
// The settings subcommands of orvane-cli, one file each: basic, advanced,
// peers and restore; save and load. Each runs the editor's command through the same core
// flow the GUI calls. The ...With forms take the transport (tests use a
// fake one) and, for restore, the input the question is answered from.
#include <iosfwd>
#include <span>
#include <string>

#include "subcommands.h"

namespace orvane::cli {

int runBasic(const GlobalOptions& options, std::span<const std::string> args, Streams streams);
int runBasicWith(DatagramTransport& transport, const GlobalOptions& options,
                 std::span<const std::string> args, Streams streams);

int runAdvanced(const GlobalOptions& options, std::span<const std::string> args, Streams streams);
int runAdvancedWith(DatagramTransport& transport, const GlobalOptions& options,
                    std::span<const std::string> args, Streams streams);

int runPeers(const GlobalOptions& options, std::span<const std::string> args, Streams streams);
int runPeersWith(DatagramTransport& transport, const GlobalOptions& options,
                 std::span<const std::string> args, Streams streams);

int runRestore(const GlobalOptions& options, std::span<const std::string> args, Streams streams);
int runRestoreWith(DatagramTransport& transport, const GlobalOptions& options,
                   std::span<const std::string> args, Streams streams, std::istream& in);

// save MAC FILE and load MAC FILE [--yes] [--identity] [--wait MS]: the
// settings file; load's question is answered from `in` or by --yes.
int runSave(const GlobalOptions& options, std::span<const std::string> args, Streams streams);
int runSaveWith(DatagramTransport& transport, const GlobalOptions& options,
                std::span<const std::string> args, Streams streams);
int runLoad(const GlobalOptions& options, std::span<const std::string> args, Streams streams);
int runLoadWith(DatagramTransport& transport, const GlobalOptions& options,
                std::span<const std::string> args, Streams streams, std::istream& in);

}  // namespace orvane::cli
