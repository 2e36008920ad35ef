#pragma once
// Requests to the modules: one request and its reply (exchangeFrame), the
// discovery broadcast and its replies (broadcastDiscovery), and the request
// functions built on them. Each call opens its own socket and closes it; the
// only thing two concurrent calls share is the status text, which every
// failure sets.
//
// Where requests go. A single destination (BroadcastAddress, --target: any
// address but 255.255.255.255) takes every request, as the system's routing
// sends it. With the limited broadcast address the discovery goes out of each
// network interface that can broadcast (all of them, or those the interface
// filter names), every reply is taken with the interface it arrived on, and a
// later request to a module goes out of the interface it answered on: the one
// its ModuleAddress names, else the first one its MAC answered on in the last
// discovery, else wherever the system sends the broadcast.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "orvane/protocol/config_frame.h"
#include "orvane/protocol/datagram_transport.h"
#include "orvane/protocol/module_record.h"
#include "orvane/protocol/status_text.h"
#include "orvane/protocol/write_guard.h"

namespace orvane {

enum class DiscoveryStatus {
  Replies,        // at least one reply arrived
  NoReply,        // the request went out; nothing (or only an error) came back
  StartupFailed,  // the socket layer could not be started
  SocketFailed,   // the socket could not be created, set up or sent on
};

struct DiscoveryResult {
  DiscoveryStatus status = DiscoveryStatus::NoReply;
  int replies = 0;
  std::string_view failureText;  // the text of the socket failure, if any
  // The interfaces the request went out of; empty when it went to a single
  // destination or where the system chose.
  std::vector<std::string> interfaces;
};

class ModuleLink {
 public:
  ModuleLink(DatagramTransport& transport, StatusText& status, platform::Endpoint destination);

  void setDestination(const platform::Endpoint& destination);
  // Before the first write; the guard must outlive the link's use.
  void setWriteGuard(WriteGuard* guard) { guard_ = guard; }
  platform::Endpoint destination() const;
  // No single destination is set: requests go out of each interface.
  bool everyInterface() const;
  // The interfaces a discovery may use, by name; empty: every one.
  void setInterfaceFilter(std::vector<std::string> names);

  // Sends `request` and waits for a datagram whose byte 3 equals the
  // request's byte 3. Other datagrams are dropped and the wait starts again
  // with a full time-out; an error, a time-out or a datagram longer than
  // `reply` ends it. `reply` is zeroed before every receive. Returns the
  // received length of the matching reply. `interfaceName` is the module's
  // (see above); empty, the interface follows the request's MAC.
  std::optional<std::size_t> exchangeFrame(std::span<const std::uint8_t> request,
                                           std::span<std::uint8_t> reply, int timeoutMs,
                                           std::string_view interfaceName = {});

  // Sends DiscoverModules (out of each interface, see above) and hands every
  // datagram (up to 100 bytes), with the interface it arrived on (empty with
  // a single destination), to `onReply` until the first error or the 100 ms
  // time-out after the last one. Sets "就绪" when a reply arrived, else the
  // receive failure text. A filter that names none of the computer's
  // interfaces sends nothing and fails as a refused send.
  using ReplyHandler =
      std::function<void(std::span<const std::uint8_t> reply, const std::string& interfaceName)>;
  DiscoveryResult broadcastDiscovery(const ReplyHandler& onReply);

  // Any command of the table: the frame from the one builder, the table's
  // receive buffer and time-out. The received reply bytes, or nothing.
  std::optional<std::vector<std::uint8_t>> request(CommandCode code, const ModuleAddress& to,
                                                   std::span<const std::uint8_t> payload = {});
  // A write: the exchange succeeded and the reply reports success (reply
  // byte 4 is 0, replySucceeded). The write guard, when set, runs first and
  // may refuse it.
  bool writeRequest(CommandCode code, const ModuleAddress& to,
                    std::span<const std::uint8_t> payload);

  // The read requests copy into the caller's structure only on success.
  bool readSystemInfo(const ModuleAddress& to, ModuleVersionInfo& versions);
  bool readBootInfo(const ModuleAddress& to, ModuleVersionInfo& versions);
  bool readBasicSettings(const ModuleAddress& to, ModuleRecord& record);

  StatusText& status() { return status_; }

 private:
  bool setUp(DatagramSocket* socket, int timeoutMs, std::string_view& failureText);
  bool sendOn(DatagramSocket* socket, std::span<const std::uint8_t> frame, int timeoutMs,
              std::string_view interfaceName, std::string_view& failureText);
  // Out of each interface the discovery may use; the ones it went out of.
  bool sendDiscovery(DatagramSocket* socket, std::span<const std::uint8_t> frame,
                     std::vector<std::string>& interfaces, std::string_view& failureText);
  std::vector<std::string> discoveryInterfaces();
  std::string interfaceFor(std::span<const std::uint8_t> request, std::string_view given) const;

  DatagramTransport& transport_;
  StatusText& status_;
  mutable std::mutex mutex_;
  platform::Endpoint destination_;              // guarded by mutex_
  std::vector<std::string> interfaceFilter_;    // guarded by mutex_
  std::map<MacAddress, std::string> answeredOn_;  // guarded by mutex_: the last discovery's
  std::atomic<WriteGuard*> guard_{nullptr};
};

}  // namespace orvane
