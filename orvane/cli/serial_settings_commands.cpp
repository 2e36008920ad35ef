// orvane-cli --serial COMn basic MAC / restore MAC: the serial route's basic
// settings command and factory restore, through the PLC, for the module that
// a serial scan lists with that MAC. Texts and exit status as on the network
// route.
#include <ostream>

#include "serial_session.h"
#include "serial_subcommands.h"
#include "settings_output.h"
#include "settings_session.h"
#include "orvane/protocol/row_format.h"
#include "terminal_text.h"

namespace orvane::cli {

int runSerialBasic(const GlobalOptions& options, const MacAddress& mac, CliDialogs& dialogs,
                   Prompt& prompt, bool json, Streams streams) {
  int exitCode = kExitOk;
  const auto session = SerialSession::open(options, prompt, streams.err, exitCode);
  if (!session) return exitCode;
  const auto row = session->findRow(mac, streams.err);
  if (!row) return kExitFailure;
  const auto result = session->route().basicSettings(*row, dialogs);
  switch (result.outcome) {
    case SerialOutcome::Done: {
      const auto record = *session->core().table().record(*row);
      streams.out << (json ? basicSettingsJson(record) : basicSettingsText(record));
      return kExitOk;
    }
    case SerialOutcome::Cancelled:
      return dialogs.refused() ? kExitFailure : kExitOk;  // no changes: only shown
    default:
      if (!result.failureText.empty()) streams.err << withoutTerminalControls(result.failureText) << '\n';
      return kExitFailure;
  }
}

int runSerialRestore(const GlobalOptions& options, const MacAddress& mac, Prompt& prompt,
                     Streams streams) {
  int exitCode = kExitOk;
  const auto session = SerialSession::open(options, prompt, streams.err, exitCode);
  if (!session) return exitCode;
  const auto row = session->findRow(mac, streams.err);
  if (!row) return kExitFailure;
  auto& core = session->core();
  core.worker().end(BackgroundOperation::kNoLimit);
  core.worker().start(kOperationFactoryRestore, *row);
  core.worker().end(BackgroundOperation::kNoLimit);
  const auto result = session->route().lastRestore();
  switch (result.outcome) {
    case SerialOutcome::Done: return kExitOk;
    case SerialOutcome::Cancelled: return kExitCancelled;
    default:
      if (!result.failureText.empty()) streams.err << withoutTerminalControls(result.failureText) << '\n';
      return kExitFailure;
  }
}

}  // namespace orvane::cli
