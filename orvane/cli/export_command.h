#pragma once
// orvane-cli export FILE|-: the scan, then the module list written as the
// editor's "导出" writes it, in the scan's order; "-" writes the bytes to
// standard output. 0 written, 1 failed (the box's text on standard error),
// 2 usage.
#include <span>
#include <string>

#include "subcommands.h"

namespace orvane::cli {

int runExport(const GlobalOptions& options, std::span<const std::string> args, Streams streams);

}  // namespace orvane::cli
