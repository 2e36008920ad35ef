// orvane-cli peers MAC [--set FILE] [--json]: the editor's "点对点配置...".
// Without --set it shows the table read from the module. With --set the
// file's entries pass the add-device dialog's checks and the 30-entry limit
// before anything is sent, then replace the dialog's rows, and OK writes
// them.
#include <ostream>

#include "cli_dialogs.h"
#include "file_reading.h"
#include "peers_file.h"
#include "settings_session.h"
#include "settings_subcommands.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "peers";

// The file's entries, or the exit status after a message.
std::optional<std::vector<PeerEntry>> readEntries(const std::string& path, Prompt& prompt,
                                                  Streams streams, int& status) {
  const auto read = readFile(path);
  if (!read.problem.empty()) {
    status = usageError(kName, read.problem, streams);
    return std::nullopt;
  }
  auto file = readPeerFile(read.bytes);
  if (!file.formatError.empty()) {
    status = usageError(kName, path + ": " + file.formatError, streams);
    return std::nullopt;
  }
  if (!file.ok()) {
    if (file.refusedEntry > 0) streams.err << path << ": 第 " << file.refusedEntry << " 个条目\n";
    const bool warning = file.refusalCaption == "警告";
    prompt.messageBox(file.refusal, file.refusalCaption,
                      warning ? MessageIcon::Warning : MessageIcon::Error, MessageButtons::Ok);
    status = kExitFailure;
    return std::nullopt;
  }
  return std::move(file.entries);
}

}  // namespace

int runPeers(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  UdpTransport transport;
  return runPeersWith(transport, options, args, streams);
}

int runPeersWith(DatagramTransport& transport, const GlobalOptions& options,
                 std::span<const std::string> args, Streams streams) {
  const auto a = parseSettingsArguments(args, {"--set"}, {"--json"});
  if (!a.error.empty()) return usageError(kName, a.error, streams);
  CliPrompt prompt(streams.err);
  CliDialogs dialogs(prompt, streams.out, a.flag("--json"));
  if (const auto path = a.value("--set")) {
    int status = kExitOk;
    dialogs.peers = readEntries(*path, prompt, streams, status);
    if (!dialogs.peers) return status;
  }
  const auto config = cliConfig(options, streams.err);
  if (!config) return kExitUsage;

  SettingsSession session(transport, *config, options, prompt, dialogs, streams);
  const auto row = session.findRow(a.mac);
  if (!row) return kExitFailure;
  if (!session.enabled(kCmdPeerSettings, *row)) return kExitFailure;
  return session.exitStatus(session.commands().peerSettings(*row), dialogs.refused());
}

}  // namespace orvane::cli
