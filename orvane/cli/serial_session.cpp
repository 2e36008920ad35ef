#include "serial_session.h"

namespace orvane::cli {

SerialSession::SerialSession(const ConfigStore& config, Prompt& prompt)
    : core_(ui_, prompt, transport_, config) {
  ui_.attach(core_.status());
}

// The worker runs the route's operations: it ends before they go.
SerialSession::~SerialSession() { core_.worker().end(BackgroundOperation::kNoLimit); }

std::unique_ptr<SerialSession> SerialSession::open(const GlobalOptions& options, Prompt& prompt,
                                                   std::ostream& err, int& exitCode) {
  if (options.config && !std::filesystem::is_regular_file(*options.config)) {
    err << "orvane-cli: 配置文件不存在: " << options.config->string() << '\n';
    exitCode = kExitUsage;
    return nullptr;
  }
  const auto config = options.config ? ConfigStore(*options.config) : ConfigStore::inProgramDirectory();
  std::unique_ptr<SerialSession> session(new SerialSession(config, prompt));
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

}  // namespace orvane::cli
