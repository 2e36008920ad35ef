#pragma once
// Requests to the modules: one request and its reply (exchangeFrame), the
// discovery broadcast and its replies (broadcastDiscovery), and the request
// functions built on them. Each call opens its own socket and closes it; the
// only thing two concurrent calls share is the status text, which every
// failure sets.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
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
};

class ModuleLink {
 public:
  ModuleLink(DatagramTransport& transport, StatusText& status, platform::Endpoint destination);

  void setDestination(const platform::Endpoint& destination);
  // Before the first write; the guard must outlive the link's use.
  void setWriteGuard(WriteGuard* guard) { guard_ = guard; }
  platform::Endpoint destination() const;

  // Sends `request` and waits for a datagram whose byte 3 equals the
  // request's byte 3. Other datagrams are dropped and the wait starts again
  // with a full time-out; an error, a time-out or a datagram longer than
  // `reply` ends it. `reply` is zeroed before every receive. Returns the
  // received length of the matching reply.
  std::optional<std::size_t> exchangeFrame(std::span<const std::uint8_t> request,
                                           std::span<std::uint8_t> reply, int timeoutMs);

  // Sends DiscoverModules and hands every datagram (up to 100 bytes) to
  // `onReply` until the first error or 100 ms time-out. Sets "就绪" when a
  // reply arrived, else the receive failure text.
  using ReplyHandler = std::function<void(std::span<const std::uint8_t>)>;
  DiscoveryResult broadcastDiscovery(const ReplyHandler& onReply);

  // Any command of the table: the frame from the one builder, the table's
  // receive buffer and time-out. The received reply bytes, or nothing.
  std::optional<std::vector<std::uint8_t>> request(CommandCode code, const MacAddress& mac,
                                                   std::span<const std::uint8_t> payload = {});
  // A write: the exchange succeeded and the reply reports success (reply
  // byte 4 is 0, replySucceeded). The write guard, when set, runs first and
  // may refuse it.
  bool writeRequest(CommandCode code, const MacAddress& mac, std::span<const std::uint8_t> payload);

  // The read requests copy into the caller's structure only on success.
  bool readSystemInfo(const MacAddress& mac, ModuleVersionInfo& versions);
  bool readBootInfo(const MacAddress& mac, ModuleVersionInfo& versions);
  bool readBasicSettings(const MacAddress& mac, ModuleRecord& record);

  StatusText& status() { return status_; }

 private:
  bool sendOn(DatagramSocket* socket, std::span<const std::uint8_t> frame, int timeoutMs,
              std::string_view& failureText);

  DatagramTransport& transport_;
  StatusText& status_;
  mutable std::mutex destinationMutex_;
  platform::Endpoint destination_;  // guarded by destinationMutex_
  std::atomic<WriteGuard*> guard_{nullptr};
};

}  // namespace orvane
