// orvane-cli apply FILE.csv: the whole file is read and every line checked
// first, so a bad line sends nothing at all; then one question (unless
// --yes or --dry-run), one scan, and the modules one by one.
#include "apply_command.h"

#include <iostream>

#include "batch_run.h"
#include "file_reading.h"
#include "settings_session.h"
#include "upgrade_terminal.h"
#include "orvane/protocol/user_texts.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "apply";

struct ApplyArguments {
  std::string file;
  bool yes = false, dryRun = false;
  int waitMs = static_cast<int>(kBasicSettleTime.count());
  std::string error;
};

ApplyArguments parseApplyArguments(std::span<const std::string> args) {
  ApplyArguments a;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const auto& arg = args[i];
    if (arg == "--yes") a.yes = true;
    else if (arg == "--dry-run") a.dryRun = true;
    else if (arg == "--wait") {
      const auto ms = i + 1 < args.size() ? parseWaitMs(args[i + 1]) : std::nullopt;
      if (!ms) a.error = kBadWait;
      else a.waitMs = *ms, ++i;
    } else if (arg.starts_with("--") || !a.file.empty()) {
      a.error = "未知参数: " + arg;
    } else {
      a.file = arg;
    }
    if (!a.error.empty()) return a;
  }
  if (a.file.empty()) a.error = "缺少文件名 (CSV)";
  return a;
}

// The file's lines, or the exit status after the message naming the line
// and the column.
std::optional<BatchFile> readBatch(const std::string& path, Prompt& prompt, Streams streams,
                                   int& status) {
  const auto read = readFile(path);
  if (!read.problem.empty()) {
    status = usageError(kName, read.problem, streams);
    return std::nullopt;
  }
  auto file = readBatchFile(read.bytes);
  if (file.ok()) return file;
  std::string where = path + " 第 " + std::to_string(file.refusedLine) + " 行";
  if (!file.refusedColumn.empty()) where += " " + file.refusedColumn + " 列";
  if (file.dialogRefusal) {
    streams.err << "orvane-cli " << kName << ": " << where << '\n';
    prompt.messageBox(file.refusal, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
  } else {
    streams.err << "orvane-cli " << kName << ": " << where << ": " << file.refusal << '\n';
  }
  streams.err << "文件未被采用，没有发送任何请求\n";
  status = kExitUsage;
  return std::nullopt;
}

bool confirmed(Prompt& prompt, const std::string& path, std::size_t modules) {
  const auto question = "将按 " + path + " 修改 " + std::to_string(modules) + " 个模块的设置，继续吗？";
  return prompt.messageBox(question, texts::kCaptionWarning, MessageIcon::Warning,
                           MessageButtons::OkCancel) == MessageAnswer::Ok;
}

}  // namespace

int runApply(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  UdpTransport transport;
  return runApplyWith(transport, options, args, streams, std::cin);
}

int runApplyWith(DatagramTransport& transport, const GlobalOptions& options,
                 std::span<const std::string> args, Streams streams, std::istream& in) {
  const auto a = parseApplyArguments(args);
  if (!a.error.empty()) return usageError(kName, a.error, streams);
  TerminalUpgradePrompt terminal(streams.out, streams.err, in, a.yes);
  RecordingPrompt prompt(terminal);
  int status = kExitOk;
  const auto batch = readBatch(a.file, prompt, streams, status);
  if (!batch) return status;
  const auto config = cliConfig(options, streams.err);
  if (!config) return kExitUsage;
  if (!a.dryRun && !batch->lines.empty() && !confirmed(prompt, a.file, batch->lines.size()))
    return kExitCancelled;

  BatchDialogs dialogs(prompt, streams.out, a.dryRun);
  SettingsSession session(transport, *config, options, prompt, dialogs, streams, fixedWait(a.waitMs));
  const auto summary = applyBatch(batch->lines, session, dialogs, prompt, streams.out, a.dryRun);
  if (!summary) return kExitFailure;
  return summary->failed > 0 ? kExitFailure : kExitOk;
}

}  // namespace orvane::cli
