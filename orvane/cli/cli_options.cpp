#include "cli_options.h"

#include <cctype>
#include <climits>

#include "common/command_line.h"

namespace orvane::cli {

std::optional<int> parseComPort(std::string_view text) {
  if (text.size() < 4 || text.size() > 12) return std::nullopt;
  for (std::size_t i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i]) return std::nullopt;
  const auto port = trax::boundedNumber(text.substr(3), 1, INT_MAX);
  if (!port) return std::nullopt;
  return static_cast<int>(*port);
}

namespace {

// Checks one global option's value and keeps it; the refusal's text otherwise.
std::string takeGlobalOption(GlobalOptions& options, const std::string& option, const std::string& value) {
  if (option == "--target") {
    options.target = platform::parseEndpoint(value);
    if (!options.target || options.target->port == 0) return "无效的目标地址: " + value + " (应为 主机:端口)";
  } else if (option == "--interface") {
    if (value.empty()) return "无效的网卡名: (空)";
    options.interfaces.push_back(value);
  } else if (option == "--serial") {
    options.serialPort = parseComPort(value);
    if (!options.serialPort) return "无效的串口: " + value + " (应为 COMn)";
  } else {
    options.config = value;
  }
  return {};
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  auto leading = trax::splitLeadingOptions(
      args, {"--target", "--interface", "--config", "--serial"}, "缺少子命令",
      [&line](const std::string& option, const std::string& value) {
        return takeGlobalOption(line.options, option, value);
      });
  line.subcommand = std::move(leading.command);
  line.arguments = std::move(leading.arguments);
  line.error = std::move(leading.error);
  line.help = leading.help;
  line.version = leading.version;
  return line;
}

}  // namespace orvane::cli
