// tessor-cli: Tessor's requests, polling and module scan on the command line.
#include <iostream>

#include "tessor/cli/commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tessor::cli::runCli(args, {std::cout, std::cerr});
}
