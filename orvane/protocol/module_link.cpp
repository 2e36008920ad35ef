#include "module_link.h"

#include <algorithm>

#include "orvane/protocol/module_replies.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

ModuleLink::ModuleLink(DatagramTransport& transport, StatusText& status,
                       platform::Endpoint destination)
    : transport_(transport), status_(status), destination_(destination) {}

void ModuleLink::setDestination(const platform::Endpoint& destination) {
  std::lock_guard lock(destinationMutex_);
  destination_ = destination;
}

platform::Endpoint ModuleLink::destination() const {
  std::lock_guard lock(destinationMutex_);
  return destination_;
}

// Creating, setting up and sending; each failure sets its own text.
bool ModuleLink::sendOn(DatagramSocket* socket, std::span<const std::uint8_t> frame,
                        int timeoutMs, std::string_view& failureText) {
  if (!socket) failureText = texts::kSocketInitFailed;
  else if (!socket->setBroadcast()) failureText = texts::kBroadcastFailed;
  else if (!socket->setReceiveTimeout(timeoutMs)) failureText = texts::kTimeoutFailed;
  else if (!socket->sendTo(destination(), frame)) failureText = texts::kSendFailed;
  else return true;
  status_.set(failureText);
  return false;
}

std::optional<std::size_t> ModuleLink::exchangeFrame(std::span<const std::uint8_t> request,
                                                     std::span<std::uint8_t> reply,
                                                     int timeoutMs) {
  if (!transport_.startup()) {
    status_.set(texts::kSocketStartFailed);
    return std::nullopt;
  }
  std::optional<std::size_t> received;
  if (request.size() > kFrameCodeOffset) {
    const std::uint8_t code = request[kFrameCodeOffset];
    auto socket = transport_.open();
    std::string_view failure;
    if (sendOn(socket.get(), request, timeoutMs, failure)) {
      for (;;) {
        std::fill(reply.begin(), reply.end(), std::uint8_t{0});
        const int length = socket->receive(reply);
        if (length < 0) break;
        if (static_cast<std::size_t>(length) > kFrameCodeOffset && reply[kFrameCodeOffset] == code) {
          received = static_cast<std::size_t>(length);
          break;
        }
      }
    }
  }
  transport_.cleanup();
  if (!received) status_.set(texts::kReceiveFailed);
  return received;
}

DiscoveryResult ModuleLink::broadcastDiscovery(const ReplyHandler& onReply) {
  DiscoveryResult result;
  if (!transport_.startup()) {
    status_.set(texts::kSocketStartFailed);
    result.status = DiscoveryStatus::StartupFailed;
    result.failureText = texts::kSocketStartFailed;
    return result;
  }
  const auto frame = discoveryFrame();
  auto socket = transport_.open();
  if (sendOn(socket.get(), frame, kReplyTimeoutMs, result.failureText)) {
    std::array<std::uint8_t, kDiscoveryReplyCapacity> buffer{};
    for (;;) {
      buffer.fill(0);
      const int length = socket->receive(buffer);
      if (length < 0) break;
      ++result.replies;
      onReply(std::span<const std::uint8_t>(buffer).first(static_cast<std::size_t>(length)));
    }
  }
  socket.reset();
  transport_.cleanup();
  if (!result.failureText.empty()) result.status = DiscoveryStatus::SocketFailed;
  else result.status = result.replies > 0 ? DiscoveryStatus::Replies : DiscoveryStatus::NoReply;
  status_.set(result.replies > 0 ? texts::kReady : texts::kReceiveFailed);
  return result;
}

std::optional<std::vector<std::uint8_t>> ModuleLink::request(
    CommandCode code, const MacAddress& mac, std::span<const std::uint8_t> payload) {
  const auto frame = buildConfigFrame(code, mac, payload);
  if (!frame) return std::nullopt;
  const auto& info = commandInfo(code);
  std::vector<std::uint8_t> reply(info.replyCapacity, 0);
  const auto length = exchangeFrame(*frame, reply, info.timeoutMs);
  if (!length) return std::nullopt;
  reply.resize(*length);
  return reply;
}

bool ModuleLink::writeRequest(CommandCode code, const MacAddress& mac,
                              std::span<const std::uint8_t> payload) {
  if (auto* guard = guard_.load(); guard && !guard->beforeWrite(*this, code, mac)) return false;
  const auto reply = request(code, mac, payload);
  return reply && replySucceeded(code, *reply);
}

bool ModuleLink::readSystemInfo(const MacAddress& mac, ModuleVersionInfo& versions) {
  const auto reply = request(CommandCode::ReadSystemInfo, mac);
  if (reply) takeSystemInfoReply(*reply, versions);
  return reply.has_value();
}

bool ModuleLink::readBootInfo(const MacAddress& mac, ModuleVersionInfo& versions) {
  const auto reply = request(CommandCode::ReadBootInfo, mac);
  if (reply) takeBootInfoReply(*reply, versions);
  return reply.has_value();
}

bool ModuleLink::readBasicSettings(const MacAddress& mac, ModuleRecord& record) {
  const auto reply = request(CommandCode::ReadBasicSettings, mac);
  if (reply) takeBasicSettingsReply(*reply, record);
  return reply.has_value();
}

}  // namespace orvane
