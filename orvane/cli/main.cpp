// orvane-cli: the module protocol core of the editor on the command line.
#include <iostream>

#include "platform/console.h"
#include "subcommands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return orvane::cli::runCli(args, {std::cout, std::cerr, platform::standardErrorIsTerminal()},
                             platform::localeCharset());
}
