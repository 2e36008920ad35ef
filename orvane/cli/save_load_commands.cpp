// orvane-cli save MAC FILE and load MAC FILE [--yes] [--identity] [--wait MS]:
// one module's settings to and from a settings file, through the editor's
// own settings commands (settings_file_flows.h). load refuses a file that
// fails any of the dialogs' checks before anything is sent, shows what would
// change field by field, asks, writes only the sections that differ, and
// reads the module again to confirm.
#include <fstream>
#include <iostream>

#include "file_reading.h"
#include "mac_argument.h"
#include "settings_session.h"
#include "settings_subcommands.h"
#include "upgrade_terminal.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/settings_file/settings_checks.h"
#include "orvane/settings_file/settings_document.h"
#include "orvane/settings_file/settings_file_flows.h"

namespace orvane::cli {
namespace {

using namespace settings_file;

// MAC FILE, then the options: the file is taken out so that the settings
// argument reader sees the MAC and options only.
SettingsArguments parseFileArguments(std::span<const std::string> args, std::string& file,
                                     std::initializer_list<std::string_view> valueOptions,
                                     std::initializer_list<std::string_view> flagOptions) {
  std::vector<std::string> rest(args.begin(), args.end());
  if (rest.size() >= 2 && rest[1].rfind("--", 0) != 0) {
    file = rest[1];
    rest.erase(rest.begin() + 1);
  }
  auto parsed = parseSettingsArguments(rest, valueOptions, flagOptions);
  if (parsed.error.empty() && file.empty()) parsed.error = "缺少文件名";
  return parsed;
}

bool writeDocument(const std::string& path, const std::string& text, Streams streams) {
  if (path == "-") {
    streams.out << text;
    return true;
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file.fail()) return true;
  streams.err << path << ": 无法写入文件\n";
  return false;
}

// The file's settings, or the exit status after its message: a file that
// cannot be read or is no settings file (2), or one a dialog's check refuses
// (2, with the dialog's message).
std::optional<ModuleSettings> readChecked(const std::string& path, Prompt& prompt, Streams streams,
                                          int& status) {
  status = kExitUsage;
  const auto read = readFile(path);
  if (!read.problem.empty()) return usageError("load", read.problem, streams), std::nullopt;
  auto reading = readSettingsDocument(read.bytes);
  if (!reading.settings) return usageError("load", path + ": " + reading.error, streams), std::nullopt;
  const auto refusal = checkModuleSettings(*reading.settings);
  if (refusal.ok()) return std::move(reading.settings);
  streams.err << path << ": \"" << sectionKey(refusal.section);
  if (refusal.entry > 0) streams.err << '[' << refusal.entry << ']';
  streams.err << "\" 未通过对话框的检查，文件被拒绝，未发送任何内容\n";
  showRefusal(prompt, refusal);
  return std::nullopt;
}


}  // namespace

int runSave(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  UdpTransport transport;
  return runSaveWith(transport, options, args, streams);
}

int runSaveWith(DatagramTransport& transport, const GlobalOptions& options,
                std::span<const std::string> args, Streams streams) {
  std::string path;
  const auto a = parseFileArguments(args, path, {}, {});
  if (!a.error.empty()) return usageError("save", a.error, streams);
  const auto config = cliConfig(options, streams.err);
  if (!config) return kExitUsage;
  CliPrompt prompt(streams.err);
  SettingsFileDialogs dialogs;
  SettingsSession session(transport, *config, options, prompt, dialogs, streams);
  const auto row = session.findRow(a.mac);
  if (!row) return kExitFailure;
  if (!session.enabled(kCmdBasicSettings, *row)) return kExitFailure;
  ModuleSettings settings;
  const auto outcome = readThroughCommands(session.commands(), dialogs, *row, settings);
  if (outcome != SettingsOutcome::Done) return session.exitStatus(outcome, false);
  return writeDocument(path, writeSettingsDocument(settings), streams) ? kExitOk : kExitFailure;
}

int runLoad(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  UdpTransport transport;
  return runLoadWith(transport, options, args, streams, std::cin);
}

int runLoadWith(DatagramTransport& transport, const GlobalOptions& options,
                std::span<const std::string> args, Streams streams, std::istream& in) {
  std::string path;
  const auto a = parseFileArguments(args, path, {"--wait"}, {"--yes", "--identity"});
  if (!a.error.empty()) return usageError("load", a.error, streams);
  const auto wait = parseWaitMs(a.value("--wait").value_or("3000"));
  if (!wait) return usageError("load", kBadWait, streams);
  TerminalUpgradePrompt prompt(streams.out, streams.err, in, a.flag("--yes"));
  int status = kExitOk;
  const auto file = readChecked(path, prompt, streams, status);
  if (!file) return status;
  const auto config = cliConfig(options, streams.err);
  if (!config) return kExitUsage;

  SettingsFileDialogs dialogs;
  SettingsSession session(transport, *config, options, prompt, dialogs, streams, fixedWait(*wait));
  const auto row = session.findRow(a.mac);
  if (!row) return kExitFailure;
  if (!session.enabled(kCmdBasicSettings, *row)) return kExitFailure;
  LoadPlan plan;
  auto outcome = planLoad(session.commands(), dialogs, *row, *file, a.flag("--identity"), plan);
  if (outcome != SettingsOutcome::Done) return session.exitStatus(outcome, false);
  if (file->basic.mac != plan.current.basic.mac && !a.flag("--identity"))
    streams.err << "文件保存自模块 " << macText(file->basic.mac)
                << "：模块ID、名称和IP地址保留本模块的值（--identity 也载入它们）\n";
  for (const auto& change : plan.changes) streams.out << changeText(change) << '\n';
  if (plan.changes.empty()) {
    streams.err << "模块的设置与文件相同，未写入任何内容\n";
    return kExitOk;
  }
  const auto question = "将以上 " + std::to_string(plan.changes.size()) + " 处修改写入模块 " +
                        macText(plan.current.basic.mac) + " 吗？";
  if (prompt.messageBox(question, texts::kCaptionWarning, MessageIcon::Question,
                        MessageButtons::OkCancel) != MessageAnswer::Ok)
    return kExitCancelled;
  std::vector<FieldChange> left;
  outcome = writeAndVerify(session.commands(), dialogs, *row, plan, left);
  if (outcome != SettingsOutcome::Done) return session.exitStatus(outcome, false);
  for (const auto& change : left) streams.err << "核对不一致: " << changeText(change) << '\n';
  if (!left.empty()) return kExitFailure;
  streams.err << "已写入并核对；写入前的设置备份于 " << session.backup().lastBackup().string() << '\n';
  return kExitOk;
}

}  // namespace orvane::cli
