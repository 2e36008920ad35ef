// orvane-cli: the module protocol core of the editor on the command line.
#include <iostream>

#include "command_line_text.h"
#include "platform/console.h"
#include "subcommands.h"

int main(int argc, char** argv) {
  const auto args =
      orvane::cli::argumentsInUtf8({argv + 1, argv + argc}, platform::localeCharset());
  if (!args.error.empty()) {
    std::cerr << "orvane-cli: " << args.error << '\n';
    return orvane::cli::kExitUsage;
  }
  return orvane::cli::runCli(args.args,
                             {std::cout, std::cerr, platform::standardErrorIsTerminal()});
}
