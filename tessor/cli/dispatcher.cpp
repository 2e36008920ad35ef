#include <array>
#include <ostream>
#include <sstream>
#include <string_view>

#include "platform/whole_file.h"
#include "tessor/cli/commands.h"
#include "trax_version.h"

namespace tessor::cli {

namespace {

struct Command {
  std::string_view name;
  std::string_view usage;
  std::string_view summary;
  int (*run)(const CliConfig&, const Arguments&, Streams);
};

const std::array<Command, 4> kCommands{{
    {"read", "ADDRESS [LENGTH] [--function N] [--format oct|dec|hex] [--type T] [--word-order O] [--json]",
     "读取: 每个数值一行 \"名称 数值\"，或一个 JSON 对象", runRead},
    {"write", "ADDRESS VALUE... [--format oct|dec|hex] [--type T] [--word-order O]",
     "写入: 一个数值用 FC5/FC6，多个用 FC15/FC16（线圈数值为 0 或 1）", runWrite},
    {"poll",
     "ADDRESS [LENGTH] [--function N] [--interval 毫秒] [--cycles N] [--ignore-errors] [--json | --csv]"
     " [--format oct|dec|hex] [--type T] [--word-order O]",
     "连续读取: 每个周期一行；结束时在标准错误上输出扫描次数和错误次数", runPoll},
    {"scan", "[--target 主机:端口] [--json]", "查找模块: 每个应答的模块一行（IP地址和 Modbus TCP 端口）",
     runScan},
}};

void printUsage(std::ostream& out) {
  out << "用法: tessor-cli [--host A.B.C.D] [--port P] [--station N] [--timeout T] [--retries N]"
         " [--config 文件] <命令> [参数]\n"
         "  --host A.B.C.D  Modbus TCP 服务器（默认: Config.ini 的 IP Address0..3）\n"
         "  --port P        TCP 端口（默认: Config.ini 的 Port，否则 502）\n"
         "  --station N     PLC子局号 0-255（默认: Station，否则 0）\n"
         "  --timeout T     超时时间 1-255，单位 100ms（默认: TimeOut，否则 30）\n"
         "  --retries N     重试 0-10（默认: Retry，否则 0）\n"
         "  --config 文件   使用此 Config.ini（默认: 程序目录中的 Config.ini）\n"
         "  --help          显示此说明\n"
         "  --version       显示版本\n"
         "ADDRESS 为PLC寄存器名: 前缀 R GI I SP GQ Q M S T C 加八进制寄存器号，例如 R2000、Q17\n"
         "T 为 u16 s16 u32 s32 f32（默认 u16），O 为 high-first 或 low-first（默认 high-first）\n"
         "退出码: 0 成功；1 设备或连接失败；2 命令行或输入被拒绝，未发送任何请求\n"
         "命令:\n";
  for (const auto& c : kCommands) out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
}

}  // namespace

std::string usageText() {
  std::ostringstream text;
  printUsage(text);
  return text.str();
}

int runCli(const Arguments& args, Streams streams) {
  const CommandLine line = parseCommandLine(args);
  if (line.help) {
    printUsage(streams.out);
    return kExitOk;
  }
  if (line.version) {
    streams.out << "tessor-cli " << TRAX_VERSION_TEXT << '\n';
    return kExitOk;
  }
  if (!line.error.empty()) {
    streams.err << "tessor-cli: " << line.error << '\n';
    printUsage(streams.err);
    return kExitUsage;
  }
  const Command* command = nullptr;
  for (const auto& c : kCommands)
    if (c.name == line.command) command = &c;
  if (!command) {
    streams.err << "tessor-cli: 未知命令: " << line.command << '\n';
    printUsage(streams.err);
    return kExitUsage;
  }
  // A missing file gives the defaults, as a missing Config.ini does; one that
  // exists but cannot be read is refused rather than silently ignored.
  using Status = platform::FileContents::Status;
  if (line.config && platform::readRegularFile(*line.config).status != Status::Read &&
      platform::readRegularFile(*line.config).status != Status::Missing) {
    streams.err << "tessor-cli: 无法读取 " << line.config->string() << '\n';
    return kExitUsage;
  }
  CliConfig config = loadCliConfig(line.config.value_or(defaultConfigFile()));
  const ConnectionResult connection = resolveConnection(config.connection, line.connectionOptions);
  if (!connection.error.empty()) {
    streams.err << "tessor-cli: " << connection.error << '\n';
    return kExitUsage;
  }
  config.connection = connection.connection;
  return command->run(config, line.arguments, streams);
}

}  // namespace tessor::cli
