#include "serial_session.h"

#include <algorithm>

#include "cli_session.h"
#include "terminal_text.h"

namespace orvane::cli {

SerialSession::SerialSession(const ConfigStore& config, Prompt& prompt)
    : core_(ui_, prompt, transport_, config) {
  ui_.attach(core_.status());
}

// The worker runs the route's operations: it ends before they go.
SerialSession::~SerialSession() { core_.worker().end(BackgroundOperation::kNoLimit); }

std::unique_ptr<SerialSession> SerialSession::open(const GlobalOptions& options, Prompt& prompt,
                                                   std::ostream& err, int& exitCode) {
  const auto config = cliConfig(options, err);
  if (!config) {
    exitCode = kExitUsage;
    return nullptr;
  }
  std::unique_ptr<SerialSession> session(new SerialSession(*config, prompt));
  if (!session->library_.load()) {
    err << session->library_.notFoundText() << '\n';
    exitCode = kExitFailure;
    return nullptr;
  }
  auto& core = session->core_;
  core.loadSettings();
  core.overrideProtocolType(kProtocolSerial);
  if (options.serialPort) core.overridePortCom(*options.serialPort);
  session->route_.install();
  exitCode = kExitOk;
  return session;
}

std::optional<int> SerialSession::findRow(const MacAddress& mac, std::ostream& err) {
  core_.startInitialScan();
  core_.worker().end(BackgroundOperation::kNoLimit);
  const auto scan = route_.lastScan();
  if (scan.outcome != SerialOutcome::Done) {
    err << withoutTerminalControls(scan.failureText) << '\n';
    return std::nullopt;
  }
  std::vector<std::string> rows;
  for (const auto& record : core_.table().snapshot()) rows.push_back(macText(record.mac));
  ui_.setRows(rows);
  const auto row = std::find(rows.begin(), rows.end(), macText(mac));
  if (row == rows.end()) {
    err << "未找到模块: " << macText(mac) << '\n';
    return std::nullopt;
  }
  return static_cast<int>(row - rows.begin());
}

}  // namespace orvane::cli
