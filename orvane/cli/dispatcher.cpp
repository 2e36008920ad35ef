#include <array>
#include <ostream>

#include "firmware_commands.h"
#include "subcommands.h"

namespace orvane::cli {
namespace {

const std::array<Subcommand, 3> kSubcommands{{
    {"scan", "[--json]", "查找网络中的模块，每个模块输出一行（或 JSON）", runScan},
    {"upgrade", "MAC [FILE] [--yes]",
     "升级模块固件（默认文件: 程序目录中的 FirmwareFileName）；退出码 0 成功、1 失败、3 取消",
     runUpgrade},
    {"image", "FILE", "检查固件文件：结论、类型、版本和校验字节", runImage},
}};

void printUsage(std::ostream& out) {
  out << "用法: orvane-cli [--target 主机:端口] [--config 文件] <子命令> [参数]\n"
         "  --target 主机:端口  请求发往此地址（代替 Lumen_.ini 的 BroadcastAddress/BroadcastPort）\n"
         "  --config 文件       使用此 Lumen_.ini（默认: 程序目录中的 Lumen_.ini）\n"
         "子命令:\n";
  for (const auto& s : kSubcommands)
    out << "  " << s.name << ' ' << s.usage << "\n      " << s.summary << '\n';
}

}  // namespace

std::span<const Subcommand> subcommands() { return kSubcommands; }

const Subcommand* findSubcommand(std::string_view name) {
  for (const auto& s : kSubcommands)
    if (s.name == name) return &s;
  return nullptr;
}

int runCli(const std::vector<std::string>& args, Streams streams) {
  const auto line = parseCommandLine(args);
  if (line.help) {
    printUsage(streams.out);
    return kExitOk;
  }
  if (!line.error.empty()) {
    streams.err << "orvane-cli: " << line.error << '\n';
    printUsage(streams.err);
    return kExitUsage;
  }
  const auto* subcommand = findSubcommand(line.subcommand);
  if (!subcommand) {
    streams.err << "orvane-cli: 未知子命令: " << line.subcommand << '\n';
    printUsage(streams.err);
    return kExitUsage;
  }
  return subcommand->run(line.options, line.arguments, streams);
}

}  // namespace orvane::cli
