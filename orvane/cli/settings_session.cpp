#include "settings_session.h"

#include <algorithm>
#include <ostream>
#include <thread>

#include "file_reading.h"
#include "mac_argument.h"
#include "orvane/firmware/firmware_image.h"

namespace orvane::cli {

std::optional<std::string> SettingsArguments::value(std::string_view option) const {
  for (auto it = values.rbegin(); it != values.rend(); ++it)
    if (it->first == option) return it->second;
  return std::nullopt;
}

bool SettingsArguments::flag(std::string_view option) const {
  return std::find(flags.begin(), flags.end(), option) != flags.end();
}

SettingsArguments parseSettingsArguments(std::span<const std::string> args,
                                         std::initializer_list<std::string_view> valueOptions,
                                         std::initializer_list<std::string_view> flagOptions) {
  SettingsArguments parsed;
  const auto in = [](auto list, std::string_view s) {
    return std::find(list.begin(), list.end(), s) != list.end();
  };
  if (args.empty()) {
    parsed.error = "缺少 MAC 地址";
    return parsed;
  }
  const auto mac = parseMacArgument(args[0]);
  if (!mac) {
    parsed.error = "无效的 MAC 地址: " + args[0] + " (应为 00-11-22-33-44-55 或 00.11.22.33.44.55)";
    return parsed;
  }
  parsed.mac = *mac;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (in(flagOptions, args[i])) {
      parsed.flags.push_back(args[i]);
    } else if (!in(valueOptions, args[i])) {
      parsed.error = "未知参数: " + args[i];
      return parsed;
    } else if (i + 1 >= args.size()) {
      parsed.error = args[i] + " 缺少参数";
      return parsed;
    } else {
      parsed.values.emplace_back(args[i], args[i + 1]);
      ++i;
    }
  }
  return parsed;
}

int usageError(std::string_view subcommand, std::string_view message, Streams streams) {
  streams.err << "orvane-cli " << subcommand << ": " << message << '\n';
  return kExitUsage;
}

std::optional<int> parseWaitMs(std::string_view text) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  return std::stoi(std::string(text));
}

SettingsCommands::Wait fixedWait(int ms) {
  return [ms](std::chrono::milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

SettingsSession::SettingsSession(DatagramTransport& transport, ConfigStore config,
                                 const GlobalOptions& options, Prompt& prompt,
                                 SettingsDialogs& dialogs, Streams streams,
                                 SettingsCommands::Wait wait)
    : core_(ui_, prompt, transport, std::move(config)),
      commands_(core_, dialogs, std::move(wait)),
      streams_(streams),
      backupPrompt_(streams.err),
      backup_(settings_file::defaultBackupDirectory(), backupPrompt_) {
  ui_.attach(core_.status());
  core_.link().setWriteGuard(&backup_);
  prepareNetworkCore(core_, options);
}

SettingsSession::~SettingsSession() { core_.worker().end(BackgroundOperation::kNoLimit); }

std::optional<int> SettingsSession::findRow(const MacAddress& mac) {
  if (!scan()) return std::nullopt;
  return rowOf(mac);
}

bool SettingsSession::scan() {
  if (!scanModules(core_, streams_.err)) return false;
  std::vector<std::string> rows;
  for (const auto& record : core_.table().snapshot()) rows.push_back(rowKeyText(record));
  ui_.setRows(rows);
  return true;
}

// The first module with that MAC: --interface picks among those seen on
// several interfaces.
std::optional<int> SettingsSession::rowOf(const MacAddress& mac) {
  for (int row = 0;; ++row) {
    const auto text = ui_.rowMacText(row);
    if (text.empty()) break;
    const auto address = parseRowKey(text);
    if (address && address->mac == mac) return row;
  }
  streams_.err << "未找到模块: " << macText(mac) << '\n';
  return std::nullopt;
}

bool SettingsSession::enabled(int command, int row) {
  CommandContext context;
  context.protocolType = kProtocolTcpIp;
  context.selectedRow = row;
  context.runMode = core_.runModeOfRow(ui_.rowMacText(row));
  if (commandEnabled(command, context)) return true;
  streams_.err << "该模块处于BOOTLOAD状态，无法执行此命令。\n";
  return false;
}

int SettingsSession::exitStatus(SettingsOutcome outcome, bool dialogRefused) {
  if (outcome == SettingsOutcome::ModuleTooOld) {
    const auto image = core_.firmwarePath();
    std::string problem;
    if (core_.config().readText("FirmwareFileName").empty()) problem = "未设置";
    else problem = fileProblem(image, kImageMaxSize);
    if (problem.empty() && !checkFirmwareImageFile(image))
      problem = image.string() + " 不是有效的固件文件";
    if (!problem.empty())
      streams_.err << "提示: 兼容性检查所用的固件文件 (Lumen_.ini 的 FirmwareFileName): " << problem
                   << '\n';
  }
  return settingsExitStatus(outcome, dialogRefused);
}

int settingsExitStatus(SettingsOutcome outcome, bool dialogRefused) {
  switch (outcome) {
    case SettingsOutcome::Done:
    case SettingsOutcome::Started:
      return kExitOk;
    case SettingsOutcome::Cancelled:
      return dialogRefused ? kExitFailure : kExitOk;
    default:
      return kExitFailure;
  }
}

}  // namespace orvane::cli
