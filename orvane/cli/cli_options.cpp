#include "cli_options.h"

namespace orvane::cli {

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const auto& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      line.help = true;
      return line;
    }
    if (arg != "--target" && arg != "--config") break;
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
