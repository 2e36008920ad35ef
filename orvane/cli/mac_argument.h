#pragma once
// The MAC address argument of the settings subcommands, read as upgrade
// reads its own: hexadecimal pairs separated by "-" (00-11-22-33-44-55), by
// "." as the module list shows them (00.11.22.33.44.55), or by ":".
#include <optional>
#include <string_view>

#include "orvane/protocol/module_record.h"

namespace orvane::cli {

std::optional<MacAddress> parseMacArgument(std::string_view text);

}  // namespace orvane::cli
