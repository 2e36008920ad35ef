// orvane-cli upgrade: the editor's firmware upgrade (the "升级固件..."
// command and background operation 12) through the same core: a scan finds
// the module, then the same checks, questions, texts and steps.
#include <algorithm>
#include <iostream>
#include <ostream>

#include "orvane/firmware/firmware_image.h"
#include "orvane/firmware/firmware_upgrade.h"
#include "orvane/protocol/row_format.h"
#include "firmware_commands.h"
#include "cli_session.h"
#include "file_reading.h"
#include "mac_argument.h"
#include "upgrade_terminal.h"

namespace orvane::cli {
namespace {

struct UpgradeArguments {
  MacAddress mac{};
  std::optional<std::filesystem::path> file;
  bool yes = false;
};

std::optional<UpgradeArguments> parseUpgradeArguments(std::span<const std::string> args,
                                                      std::ostream& err) {
  UpgradeArguments parsed;
  std::vector<std::string> positional;
  for (const auto& arg : args) {
    if (arg == "--yes" || arg == "-y") parsed.yes = true;
    else if (arg.rfind("--", 0) == 0) {
      err << "orvane-cli upgrade: 未知参数: " << arg << '\n';
      return std::nullopt;
    } else positional.push_back(arg);
  }
  if (positional.empty() || positional.size() > 2) {
    err << "orvane-cli upgrade: 用法: upgrade MAC [FILE] [--yes]\n";
    return std::nullopt;
  }
  const auto mac = parseMacArgument(positional[0]);
  if (!mac) {
    err << "orvane-cli upgrade: 无效的MAC地址: " << positional[0] << '\n';
    return std::nullopt;
  }
  parsed.mac = *mac;
  if (positional.size() == 2) parsed.file = positional[1];
  return parsed;
}

int exitStatus(const UpgradeOutcome& outcome) {
  switch (outcome.result) {
    case UpgradeResult::Succeeded: return kExitOk;
    case UpgradeResult::Cancelled: return kExitCancelled;
    default: return kExitFailure;
  }
}

}  // namespace

int runUpgrade(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  UdpTransport transport;
  return runUpgradeWith(transport, options, args, streams, std::cin, UpgradeTiming{});
}

int runUpgradeWith(DatagramTransport& transport, const GlobalOptions& options,
                   std::span<const std::string> args, Streams streams, std::istream& in,
                   const UpgradeTiming& timing) {
  const auto parsed = parseUpgradeArguments(args, streams.err);
  if (!parsed) return kExitUsage;
  const auto config = cliConfig(options, streams.err);
  if (!config) return kExitUsage;

  TerminalUpgradeUi ui(streams.err, streams.errIsTerminal);
  TerminalUpgradePrompt prompt(streams.out, streams.err, in, parsed->yes);
  OrvaneViewCore core(ui, prompt, transport, *config);
  FirmwareUpgrade upgrade(core, timing);
  ui.attach(core.status());
  prepareNetworkCore(core, options);

  // The image the upgrade will read, checked before the scan and before any
  // question: a file that cannot be read is a wrong command line.
  const auto image = parsed->file.value_or(core.firmwarePath());
  if (const auto problem = fileProblem(image, kImageMaxSize); !problem.empty()) {
    streams.err << "orvane-cli upgrade: " << problem << '\n';
    return kExitUsage;
  }

  // The module list the command is chosen from.
  if (!scanModules(core, streams.err)) return kExitFailure;
  std::vector<std::string> rows;
  int row = -1;
  for (const auto& record : core.table().snapshot()) {
    if (row < 0 && record.mac == parsed->mac) row = static_cast<int>(rows.size());
    rows.push_back(rowKeyText(record));
  }
  if (row < 0) {
    streams.err << "orvane-cli upgrade: 未找到模块 " << macText(parsed->mac) << '\n';
    return kExitFailure;
  }
  ui.setRows(std::move(rows));

  FirmwareUpgrade::StartOptions start;
  start.file = parsed->file;
  upgrade.start(row, start);
  core.worker().end(BackgroundOperation::kNoLimit);
  return exitStatus(upgrade.outcome());
}

}  // namespace orvane::cli
