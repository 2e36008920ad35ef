#include "cli_options.h"

#include <cctype>
#include <charconv>

namespace orvane::cli {

std::optional<int> parseComPort(std::string_view text) {
  if (text.size() < 4 || text.size() > 12) return std::nullopt;
  for (std::size_t i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i]) return std::nullopt;
  int port = 0;
  const auto digits = text.substr(3);
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  if (ec != std::errc() || end != digits.data() + digits.size() || port < 1) return std::nullopt;
  return port;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const auto& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      line.help = true;
      return line;
    }
    if (arg == "--version") {
      line.version = true;
      return line;
    }
    if (arg != "--target" && arg != "--config" && arg != "--serial" && arg != "--interface") break;
    if (i + 1 >= args.size()) {
      line.error = arg + " 缺少参数";
      return line;
    }
    const auto& value = args[++i];
    if (arg == "--target") {
      line.options.target = platform::parseEndpoint(value);
      if (!line.options.target || line.options.target->port == 0) {
        line.error = "无效的目标地址: " + value + " (应为 主机:端口)";
        return line;
      }
    } else if (arg == "--interface") {
      if (value.empty()) {
        line.error = "无效的网卡名: (空)";
        return line;
      }
      line.options.interfaces.push_back(value);
    } else if (arg == "--serial") {
      line.options.serialPort = parseComPort(value);
      if (!line.options.serialPort) {
        line.error = "无效的串口: " + value + " (应为 COMn)";
        return line;
      }
    } else {
      line.options.config = value;
    }
  }
  if (i >= args.size()) {
    line.error = "缺少子命令";
    return line;
  }
  if (args[i].rfind("--", 0) == 0) {
    line.error = "未知选项: " + args[i];
    return line;
  }
  line.subcommand = args[i];
  line.arguments.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  return line;
}

}  // namespace orvane::cli
