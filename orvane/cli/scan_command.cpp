// orvane-cli scan: the editor's background operation 1 on the network route,
// through the same core, printed as the module list shows it.
#include <ostream>

#include "cli_ports.h"
#include "cli_session.h"
#include "scan_output.h"
#include "subcommands.h"
#include "orvane/protocol/orvane_view_core.h"

namespace orvane::cli {

int runScan(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  UdpTransport transport;
  return runScanWith(transport, options, args, streams);
}

int runScanWith(DatagramTransport& transport, const GlobalOptions& options,
                std::span<const std::string> args, Streams streams) {
  bool json = false;
  for (const auto& arg : args) {
    if (arg != "--json") {
      streams.err << "orvane-cli scan: 未知参数: " << arg << '\n';
      return kExitUsage;
    }
    json = true;
  }
  if (options.serialPort) return runSerialScan(options, json, streams);
  const auto config = cliConfig(options, streams.err);
  if (!config) return kExitUsage;

  CliUiPort ui;
  CliPrompt prompt(streams.err);
  OrvaneViewCore core(ui, prompt, transport, *config);
  ui.attach(core.status());
  prepareNetworkCore(core, options);

  if (!scanModules(core, streams.err)) return kExitFailure;
  const auto records = core.table().snapshot();
  // Standard output stays empty for scripts; the person at the terminal
  // learns where the request went, the first thing to check when a switch
  // or a firewall drops broadcasts.
  if (records.empty()) {
    streams.err << "没有模块应答，查找请求发往 " << core.link().destination().text();
    const auto interfaces = core.lastDiscovery().interfaces;
    std::string cards;
    for (const auto& name : interfaces) cards += (cards.empty() ? "" : ", ") + name;
    if (!cards.empty()) streams.err << "（网卡: " << cards << "）";
    streams.err << '\n';
  }
  streams.out << (json ? scanJson(records, kProtocolTcpIp) : scanRowsText(records, kProtocolTcpIp));
  return kExitOk;
}

}  // namespace orvane::cli
