#include "module_link.h"

#include <algorithm>

#include "orvane/protocol/destination.h"
#include "orvane/protocol/module_replies.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

ModuleLink::ModuleLink(DatagramTransport& transport, StatusText& status,
                       platform::Endpoint destination)
    : transport_(transport), status_(status), destination_(destination) {}

void ModuleLink::setDestination(const platform::Endpoint& destination) {
  std::lock_guard lock(mutex_);
  destination_ = destination;
}

platform::Endpoint ModuleLink::destination() const {
  std::lock_guard lock(mutex_);
  return destination_;
}

bool ModuleLink::everyInterface() const { return destination().address == kDefaultBroadcastAddress; }

void ModuleLink::setInterfaceFilter(std::vector<std::string> names) {
  std::lock_guard lock(mutex_);
  interfaceFilter_ = std::move(names);
}

// The interfaces of the computer that can broadcast, in the system's order,
// less those the filter leaves out.
std::vector<std::string> ModuleLink::discoveryInterfaces() {
  auto names = transport_.broadcastInterfaces();
  std::lock_guard lock(mutex_);
  if (interfaceFilter_.empty()) return names;
  std::erase_if(names, [&](const std::string& name) {
    return std::find(interfaceFilter_.begin(), interfaceFilter_.end(), name) ==
           interfaceFilter_.end();
  });
  return names;
}

std::string ModuleLink::interfaceFor(std::span<const std::uint8_t> request,
                                     std::string_view given) const {
  if (!everyInterface()) return {};
  if (!given.empty()) return std::string(given);
  const auto mac = frameMac(request);
  if (!mac) return {};
  std::lock_guard lock(mutex_);
  const auto found = answeredOn_.find(*mac);
  return found == answeredOn_.end() ? std::string() : found->second;
}

// Creating and setting up; each failure sets its own text.
bool ModuleLink::setUp(DatagramSocket* socket, int timeoutMs, std::string_view& failureText) {
  if (!socket) failureText = texts::kSocketInitFailed;
  else if (!socket->setBroadcast()) failureText = texts::kBroadcastFailed;
  else if (!socket->setReceiveTimeout(timeoutMs)) failureText = texts::kTimeoutFailed;
  else return true;
  status_.set(failureText);
  return false;
}

bool ModuleLink::sendOn(DatagramSocket* socket, std::span<const std::uint8_t> frame,
                        int timeoutMs, std::string_view interfaceName,
                        std::string_view& failureText) {
  if (!setUp(socket, timeoutMs, failureText)) return false;
  const bool sent = interfaceName.empty() ? socket->sendTo(destination(), frame)
                                          : socket->sendVia(destination(), interfaceName, frame);
  if (sent) return true;
  failureText = texts::kSendFailed;
  status_.set(failureText);
  return false;
}

// With no interface to go out of, the discovery goes where the system sends
// the broadcast, as with a single destination; unless a filter is set, which
// then names none of the computer's interfaces, and nothing may go out.
bool ModuleLink::sendDiscovery(DatagramSocket* socket, std::span<const std::uint8_t> frame,
                               std::vector<std::string>& interfaces,
                               std::string_view& failureText) {
  if (!everyInterface()) return sendOn(socket, frame, kReplyTimeoutMs, {}, failureText);
  const auto candidates = discoveryInterfaces();
  bool filtered = false;
  {
    std::lock_guard lock(mutex_);
    filtered = !interfaceFilter_.empty();
  }
  if (candidates.empty() && !filtered) return sendOn(socket, frame, kReplyTimeoutMs, {}, failureText);
  if (!setUp(socket, kReplyTimeoutMs, failureText)) return false;
  // One interface that refuses (unplugged, just gone) does not keep the
  // discovery from the others.
  for (const auto& name : candidates)
    if (socket->sendVia(destination(), name, frame)) interfaces.push_back(name);
  if (!interfaces.empty()) return true;
  failureText = texts::kSendFailed;
  status_.set(failureText);
  return false;
}

std::optional<std::size_t> ModuleLink::exchangeFrame(std::span<const std::uint8_t> request,
                                                     std::span<std::uint8_t> reply,
                                                     int timeoutMs,
                                                     std::string_view interfaceName) {
  if (!transport_.startup()) {
    status_.set(texts::kSocketStartFailed);
    return std::nullopt;
  }
  std::optional<std::size_t> received;
  if (request.size() > kFrameCodeOffset) {
    const std::uint8_t code = request[kFrameCodeOffset];
    auto socket = transport_.open();
    std::string_view failure;
    if (sendOn(socket.get(), request, timeoutMs, interfaceFor(request, interfaceName), failure)) {
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
  std::map<MacAddress, std::string> answeredOn;
  if (sendDiscovery(socket.get(), frame, result.interfaces, result.failureText)) {
    const bool perInterface = !result.interfaces.empty();
    std::array<std::uint8_t, kDiscoveryReplyCapacity> buffer{};
    std::string arrival;
    for (;;) {
      buffer.fill(0);
      arrival.clear();
      const int length = perInterface ? socket->receive(buffer, arrival) : socket->receive(buffer);
      if (length < 0) break;
      ++result.replies;
      const auto reply = std::span<const std::uint8_t>(buffer).first(static_cast<std::size_t>(length));
      if (const auto mac = frameMac(reply); perInterface && mac) answeredOn.emplace(*mac, arrival);
      onReply(reply, arrival);
    }
  }
  socket.reset();
  transport_.cleanup();
  {
    std::lock_guard lock(mutex_);
    answeredOn_ = std::move(answeredOn);
  }
  if (!result.failureText.empty()) result.status = DiscoveryStatus::SocketFailed;
  else result.status = result.replies > 0 ? DiscoveryStatus::Replies : DiscoveryStatus::NoReply;
  status_.set(result.replies > 0 ? texts::kReady : texts::kReceiveFailed);
  return result;
}

std::optional<std::vector<std::uint8_t>> ModuleLink::request(
    CommandCode code, const ModuleAddress& to, std::span<const std::uint8_t> payload) {
  const auto frame = buildConfigFrame(code, to.mac, payload);
  if (!frame) return std::nullopt;
  const auto& info = commandInfo(code);
  std::vector<std::uint8_t> reply(info.replyCapacity, 0);
  const auto length = exchangeFrame(*frame, reply, info.timeoutMs, to.interfaceName);
  if (!length) return std::nullopt;
  reply.resize(*length);
  return reply;
}

bool ModuleLink::writeRequest(CommandCode code, const ModuleAddress& to,
                              std::span<const std::uint8_t> payload) {
  if (auto* guard = guard_.load(); guard && !guard->beforeWrite(*this, code, to)) return false;
  const auto reply = request(code, to, payload);
  return reply && replySucceeded(code, *reply);
}

bool ModuleLink::readSystemInfo(const ModuleAddress& to, ModuleVersionInfo& versions) {
  const auto reply = request(CommandCode::ReadSystemInfo, to);
  if (reply) takeSystemInfoReply(*reply, versions);
  return reply.has_value();
}

bool ModuleLink::readBootInfo(const ModuleAddress& to, ModuleVersionInfo& versions) {
  const auto reply = request(CommandCode::ReadBootInfo, to);
  if (reply) takeBootInfoReply(*reply, versions);
  return reply.has_value();
}

bool ModuleLink::readBasicSettings(const ModuleAddress& to, ModuleRecord& record) {
  const auto reply = request(CommandCode::ReadBasicSettings, to);
  if (reply) takeBasicSettingsReply(*reply, record);
  return reply.has_value();
}

}  // namespace orvane
