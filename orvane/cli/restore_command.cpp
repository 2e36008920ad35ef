// orvane-cli restore MAC [--yes]: the editor's "恢复出厂设置". The manual reset
// test comes first; then operation 10 runs as in the editor, and its question
// is asked on the terminal unless --yes answers it. Exit status 3 when the
// question was answered no.
#include <iostream>

#include "cli_dialogs.h"
#include "settings_session.h"
#include "serial_subcommands.h"
#include "settings_subcommands.h"
#include "upgrade_terminal.h"

namespace orvane::cli {

int runRestore(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  UdpTransport transport;
  return runRestoreWith(transport, options, args, streams, std::cin);
}

int runRestoreWith(DatagramTransport& transport, const GlobalOptions& options,
                   std::span<const std::string> args, Streams streams, std::istream& in) {
  const auto a = parseSettingsArguments(args, {}, {"--yes"});
  if (!a.error.empty()) return usageError("restore", a.error, streams);
  // The terminal prompt of upgrade: questions, errors and warnings on
  // standard error, answered from `in` or by --yes.
  TerminalUpgradePrompt prompt(streams.out, streams.err, in, a.flag("--yes"));
  if (options.serialPort) return runSerialRestore(options, a.mac, prompt, streams);
  const auto config = cliConfig(options, streams.err);
  if (!config) return kExitUsage;

  CliDialogs dialogs(prompt, streams.out, false);  // the restore opens no dialog
  SettingsSession session(transport, *config, options, prompt, dialogs, streams);
  const auto row = session.findRow(a.mac);
  if (!row) return kExitFailure;
  if (!session.enabled(kCmdFactoryRestore, *row)) return kExitFailure;
  auto outcome = session.commands().factoryRestore(*row);
  if (outcome == SettingsOutcome::Started) {
    session.core().worker().end(BackgroundOperation::kNoLimit);
    outcome = session.commands().lastRestoreOutcome();
  }
  if (outcome == SettingsOutcome::Cancelled) return kExitCancelled;
  return session.exitStatus(outcome, false);
}

}  // namespace orvane::cli
