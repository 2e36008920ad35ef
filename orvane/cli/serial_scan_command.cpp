// orvane-cli --serial COMn scan: the editor's operation 1 on the serial
// route, printed as the module list shows it.
#include <ostream>

#include "scan_output.h"
#include "serial_session.h"
#include "subcommands.h"
#include "terminal_text.h"

namespace orvane::cli {

int runSerialScan(const GlobalOptions& options, bool json, Streams streams) {
  int exitCode = kExitOk;
  CliPrompt prompt(streams.err);
  const auto session = SerialSession::open(options, prompt, streams.err, exitCode);
  if (!session) return exitCode;
  auto& core = session->core();
  core.startInitialScan();
  core.worker().end(BackgroundOperation::kNoLimit);
  const auto scan = session->route().lastScan();
  if (scan.outcome != SerialOutcome::Done) {
    streams.err << withoutTerminalControls(scan.failureText) << '\n';
    return kExitFailure;
  }
  const auto records = core.table().snapshot();
  if (records.empty())
    streams.err << "没有模块：COM" << core.portCom() << " 上的PLC的槽位表中没有以太网模块\n";
  streams.out << (json ? scanJson(records, kProtocolSerial) : scanRowsText(records, kProtocolSerial));
  return kExitOk;
}

}  // namespace orvane::cli
