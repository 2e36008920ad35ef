#pragma once
// orvane-cli's command line: global options, then a subcommand and its own
// arguments.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/udp_socket.h"

namespace orvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the operation failed (socket failure)
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCancelled = 3;  // the user answered a question no: nothing was done

struct GlobalOptions {
  std::optional<platform::Endpoint> target;   // --target HOST:PORT
  std::vector<std::string> interfaces;        // --interface NAME, repeatable
  std::optional<std::filesystem::path> config;  // --config FILE
  std::optional<int> serialPort;                // --serial COMn: the serial route through the PLC
  std::string textCharset = "UTF-8";  // the locale's: what --name and --description arrive in
};

struct CommandLine {
  GlobalOptions options;
  std::string subcommand;
  std::vector<std::string> arguments;  // after the subcommand
  std::string error;                   // why the line is refused; empty when fine
  bool help = false;
  bool version = false;
};

CommandLine parseCommandLine(const std::vector<std::string>& args);

// "COM3" (any case) as 3; nothing for anything else or a number below 1.
std::optional<int> parseComPort(std::string_view text);

}  // namespace orvane::cli
