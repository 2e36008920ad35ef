#pragma once
// The editor's core on the serial route for one run of orvane-cli with
// --serial COMn: Wirelet bound by file name first (as the editor does at
// start-up) and kept until the run ends, the view core on ProtocolType 1
// with PortCom taken from the option, and the serial route's operations.
#include <memory>
#include <optional>
#include <ostream>

#include "cli_options.h"
#include "cli_ports.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/serial/serial_route.h"

namespace orvane::cli {

class SerialSession {
 public:
  // Nothing, with the reason on `err`, when the configuration file named by
  // --config is missing (kExitUsage) or Wirelet cannot be loaded (kExitFailure).
  // `prompt` answers the route's boxes and questions; it outlives the session.
  static std::unique_ptr<SerialSession> open(const GlobalOptions& options, Prompt& prompt,
                                             std::ostream& err, int& exitCode);
  ~SerialSession();

  // Scans through the PLC as the editor's first showing does and finds the
  // list row of `mac`. Nothing, after a message on `err`, when the scan
  // failed or lists no module with that MAC.
  std::optional<int> findRow(const MacAddress& mac, std::ostream& err);

  OrvaneViewCore& core() { return core_; }
  SerialRoute& route() { return route_; }

 private:
  SerialSession(const ConfigStore& config, Prompt& prompt);

  WireletLibrary library_;
  SerialOrders orders_{library_};
  CliUiPort ui_;
  UdpTransport transport_;  // not used on this route; the core wants one
  OrvaneViewCore core_;
  SerialRoute route_{core_, orders_};
};

}  // namespace orvane::cli
