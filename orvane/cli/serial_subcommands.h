#pragma once
// basic and restore on the serial route (--serial COMn), called by their
// subcommands once the arguments are read. Exit status as on the network
// route: 0 done (or only shown), 1 failed, kExitCancelled when the question
// was answered no.
#include "cli_dialogs.h"
#include "subcommands.h"

namespace orvane::cli {

int runSerialBasic(const GlobalOptions& options, const MacAddress& mac, CliDialogs& dialogs,
                   Prompt& prompt, bool json, Streams streams);
int runSerialRestore(const GlobalOptions& options, const MacAddress& mac, Prompt& prompt,
                     Streams streams);

}  // namespace orvane::cli
