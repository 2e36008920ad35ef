#pragma once
// The arguments of read, write and poll turned into a RequestPlan, refused
// with the core's own checks and texts where the window would refuse them.
#include <string>
#include <vector>

#include "tessor/cli/cli_session.h"

namespace tessor::cli {

enum class CommandKind { Read, Write, Poll };

// Options each kind takes (with a value, and flags).
std::vector<std::string> optionsWithValue(CommandKind kind);
std::vector<std::string> flagOptions(CommandKind kind);

// Fills `plan` and the session's fields and table. Returns 0, or the exit
// status after the refusal has been printed; nothing has been sent either way.
int preparePlan(const CommandArguments& args, CommandKind kind, CliSession& cli, RequestPlan& plan,
                Streams streams);

}  // namespace tessor::cli
