#pragma once
// The two questions every program of the suite answers before it opens a
// socket, a terminal or a file: --help (its usage) and --version (the suite's
// version), both on standard output with exit status 0. Someone trying a
// program out must never set it to work on a plant network.
#include <cstdio>
#include <cstring>
#include <optional>

#include "trax_version.h"

namespace trax {

// "PROGRAM 2.0.1.1": the same line for every program of the suite.
inline void printVersion(const char* program) { std::printf("%s %s\n", program, TRAX_VERSION_TEXT); }

// For programs with a few simple options: the exit status when the first
// argument asks for the usage (--help, -h) or the version; nothing otherwise.
inline std::optional<int> answerHelpOrVersion(int argc, char** argv, const char* program, const char* usage) {
  if (argc < 2) return std::nullopt;
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    printVersion(program);
    return 0;
  }
  return std::nullopt;
}

}  // namespace trax
