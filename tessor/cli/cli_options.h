#pragma once
// tessor-cli's command line: connection options, then a command and its own
// arguments and options. The connection defaults come from Config.ini.
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/command_line.h"

namespace tessor::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the device or the connection failed
inline constexpr int kExitUsage = 2;    // the command line or an input was refused; nothing sent

// What a request needs of the connection; "IP Address0..3", "Station", "Retry",
// "TimeOut", "Poill" and "Port" of the settings file unless the command line says.
struct Connection {
  std::array<std::uint8_t, 4> ip{};  // 0.0.0.0: no address known
  std::uint16_t port = 502;
  int station = 0;
  int retries = 0;
  int timeout = 30;  // units of 100 ms, as the window's field
  int polling = 0;   // ms
};

// The command, its arguments, --help, --version and a refusal as every
// program of the suite reads them; the connection options as given.
struct CommandLine : trax::LeadingOptions {
  std::optional<std::filesystem::path> config;
  std::map<std::string, std::string> connectionOptions;  // "--host" -> "127.0.0.1", ...
};

CommandLine parseCommandLine(const std::vector<std::string>& args);

// The settings file's connection values overridden by the command line's;
// the text of the first refused option otherwise.
struct ConnectionResult {
  Connection connection;
  std::string error;
};
ConnectionResult resolveConnection(const Connection& fromFile,
                                   const std::map<std::string, std::string>& options);

// A command's own arguments: positional words and --options with or without a
// value, as the command declares them.
struct CommandArguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // a flag maps to ""
  std::string error;
};
CommandArguments splitArguments(const std::vector<std::string>& args,
                                const std::vector<std::string>& withValue,
                                const std::vector<std::string>& flags);

// A whole decimal number within [low, high]; nothing otherwise.
using trax::boundedNumber;

}  // namespace tessor::cli
