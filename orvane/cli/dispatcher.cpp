#include <array>
#include <ostream>

#include "apply_command.h"
#include "export_command.h"
#include "firmware_commands.h"
#include "settings_subcommands.h"
#include "subcommands.h"
#include "trax_version.h"

namespace orvane::cli {
namespace {

const std::array<Subcommand, 11> kSubcommands{{
    {"scan", "[--json]", "查找网络中的模块，每个模块输出一行（或 JSON）", runScan, true},
    {"basic",
     "MAC [--id N] [--name 文本] [--description 文本] [--dhcp | --ip A [--mask M] [--gateway G]]"
     " [--wait 毫秒] [--json]",
     "基本配置：无修改时显示模块的基本设置，否则写入并再次读取", runBasic, true},
    {"advanced", "MAC [--master-timeout 毫秒] [--slave-timeout 秒] [--json]",
     "高级配置：显示或设置 Modbus 主机/从机时间", runAdvanced},
    {"peers", "MAC [--set 文件] [--json]", "点对点配置：显示点对点表，或写入文件中的条目（JSON）",
     runPeers},
    {"apply", "FILE.csv [--yes] [--dry-run] [--wait 毫秒]",
     "批量配置：按 CSV 文件逐个模块写入基本/高级设置；退出码 0 全部成功、1 部分失败、2 文件被拒绝",
     runApply},
    {"restore", "MAC [--yes]", "恢复出厂设置（不带 --yes 时在终端上确认）", runRestore, true},
    {"save", "MAC 文件|-", "把模块的基本配置、高级配置和点对点表保存到设置文件（JSON）", runSave},
    {"load", "MAC 文件 [--yes] [--identity] [--wait 毫秒]",
     "载入设置文件：检查、逐项显示修改、确认后只写入不同的部分并再次读取核对；退出码 2 文件被拒绝、3 取消",
     runLoad},
    {"upgrade", "MAC [FILE] [--yes]",
     "升级模块固件（默认文件: 程序目录中的 FirmwareFileName）；退出码 0 成功、1 失败、3 取消",
     runUpgrade},
    {"image", "FILE", "检查固件文件：结论、类型、版本和校验字节", runImage, true},
    {"export", "FILE|-", "导出模块列表为 CSV 文件（GBK 编码）；- 表示输出到标准输出", runExport, true},
}};

void printUsage(std::ostream& out) {
  out << "用法: orvane-cli [--target 主机:端口] [--interface 网卡]... [--config 文件] [--serial COMn] <子命令> [参数]\n"
         "  --target 主机:端口  请求发往此地址（代替 Lumen_.ini 的 BroadcastAddress/BroadcastPort）\n"
         "  --interface 网卡    广播只从此网卡发出，可重复（代替 Lumen_.ini 的 Interfaces；默认: 每个可广播的网卡）\n"
         "  --config 文件       使用此 Lumen_.ini（默认: 程序目录中的 Lumen_.ini）\n"
         "  --serial COMn       经串口通过PLC访问模块（串口方式），代替网络（scan、basic、restore、export）\n"
         "  --help              显示此说明\n"
         "  --version           显示版本\n"
         "MAC 可写作 00-11-22-33-44-55 或 00.11.22.33.44.55\n"
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

int runCli(const std::vector<std::string>& args, Streams streams, const std::string& textCharset) {
  auto line = parseCommandLine(args);
  line.options.textCharset = textCharset;
  if (line.help) {
    printUsage(streams.out);
    return kExitOk;
  }
  if (line.version) {
    streams.out << "orvane-cli " << TRAX_VERSION_TEXT << '\n';
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
  // Refused before anything opens a socket or a port: these commands would
  // otherwise go out over the network although the serial route was asked for.
  if (line.options.serialPort && !subcommand->onSerialRoute) {
    streams.err << "orvane-cli " << subcommand->name << ": 串口方式 (--serial COM"
                << *line.options.serialPort << ") 下不能使用此命令，它只经网络 (TCP/IP) 进行\n";
    return kExitUsage;
  }
  return subcommand->run(line.options, line.arguments, streams);
}

}  // namespace orvane::cli
