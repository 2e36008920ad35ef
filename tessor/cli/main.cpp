// tessor-cli: Tessor's requests, polling and module scan on the command line.
#include <iostream>

#include "common/help_and_version.h"
#include "tessor/cli/commands.h"

int main(int argc, char** argv) {
  const std::string usage = tessor::cli::usageText();
  if (const auto answered = trax::answerHelpOrVersion(argc, argv, "tessor-cli", usage.c_str())) return *answered;
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tessor::cli::runCli(args, {std::cout, std::cerr});
}
