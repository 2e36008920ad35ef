#include "export_command.h"

#include <optional>
#include <ostream>
#include <vector>

#include "cli_ports.h"
#include "cli_session.h"
#include "serial_session.h"
#include "terminal_text.h"
#include "orvane/export/csv_export.h"
#include "orvane/protocol/orvane_view_core.h"

namespace orvane::cli {
namespace {

std::vector<ExportRow> listRows(const std::vector<ModuleRecord>& records, int protocolType) {
  std::vector<ExportRow> rows;
  for (const auto& record : records) rows.push_back(formatModuleRow(record, protocolType).columns);
  return rows;
}

// The list the editor shows after its first scan on the chosen route.
std::optional<std::vector<ExportRow>> scannedRows(const GlobalOptions& options, Streams streams,
                                                  int& exitCode) {
  CliPrompt prompt(streams.err);
  if (options.serialPort) {
    const auto session = SerialSession::open(options, prompt, streams.err, exitCode);
    if (!session) return std::nullopt;
    auto& core = session->core();
    core.startInitialScan();
    core.worker().end(BackgroundOperation::kNoLimit);
    const auto scan = session->route().lastScan();
    if (scan.outcome != SerialOutcome::Done) {
      streams.err << withoutTerminalControls(scan.failureText) << '\n';
      exitCode = kExitFailure;
      return std::nullopt;
    }
    return listRows(core.table().snapshot(), kProtocolSerial);
  }
  const auto config = cliConfig(options, streams.err);
  if (!config) {
    exitCode = kExitUsage;
    return std::nullopt;
  }
  CliUiPort ui;
  UdpTransport transport;
  OrvaneViewCore core(ui, prompt, transport, *config);
  ui.attach(core.status());
  prepareNetworkCore(core, options);
  if (!scanModules(core, streams.err)) {
    exitCode = kExitFailure;
    return std::nullopt;
  }
  return listRows(core.table().snapshot(), kProtocolTcpIp);
}

}  // namespace

int runExport(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
    streams.err << "orvane-cli export: 需要一个文件名（或 - 表示标准输出）\n";
    return kExitUsage;
  }
  int exitCode = kExitOk;
  const auto rows = scannedRows(options, streams, exitCode);
  if (!rows) return exitCode;
  if (args[0] == "-") {
    streams.out << csvFileBytes(*rows);
    return streams.out.flush() ? kExitOk : kExitFailure;
  }
  const std::filesystem::path file = args[0];
  const auto outcome = writeCsvFile(file, *rows);
  if (outcome != ExportOutcome::Written) {
    streams.err << exportFailureText(outcome, file) << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace orvane::cli
