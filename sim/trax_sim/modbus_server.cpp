#include "modbus_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace trax_sim {
namespace {

constexpr std::size_t kMbapHeader = 6;  // transaction, protocol, length; the unit counts in the length
constexpr std::size_t kMaxLengthField = 254;  // unit and the largest PDU (253 bytes)
constexpr std::size_t kReceiveChunk = 4096;
constexpr int kStopCheckMs = 50;

sockaddr_in toSockaddr(const platform::Endpoint& e) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(e.address);
  sa.sin_port = htons(e.port);
  return sa;
}

void setNonBlocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }

int openListener(const platform::Endpoint& at) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -errno;
  // Lets a restarted simulator take its port back while old connections linger in TIME_WAIT.
  const int reuse = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
  const auto sa = toSockaddr(at);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 || ::listen(fd, 16) != 0) {
    const int error = errno;
    ::close(fd);
    return -error;
  }
  setNonBlocking(fd);
  return fd;
}

platform::Endpoint boundEndpoint(int fd) {
  sockaddr_in sa{};
  socklen_t length = sizeof sa;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &length);
  return {ntohl(sa.sin_addr.s_addr), ntohs(sa.sin_port)};
}

}  // namespace

ModbusServer::ModbusServer(Handler handler, DatagramLoop::Clock clock, LinePrinter* logTo, bool logReplies)
    : handler_(std::move(handler)), clock_(std::move(clock)), log_(logTo), logReplies_(logReplies) {}

ModbusServer::~ModbusServer() { closeAll(); }

platform::Endpoint ModbusServer::listen(const platform::Endpoint& at, std::size_t device) {
  const int fd = openListener(at);
  if (fd < 0)
    throw std::runtime_error("cannot serve Modbus TCP on " + at.text() + " (error " + std::to_string(-fd) + ": " +
                             std::system_category().message(-fd) + ")");
  const auto bound = boundEndpoint(fd);
  listeners_.push_back(std::make_unique<Listener>(Listener{fd, device, bound.text()}));
  return bound;
}

void ModbusServer::accept(const Listener& listener) {
  const int fd = ::accept4(listener.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  const int noDelay = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
  connections_.push_back(std::make_unique<Connection>(Connection{fd, &listener, {}, {}}));
}

bool ModbusServer::receive(Connection& c) {
  std::uint8_t chunk[kReceiveChunk];
  const ssize_t n = ::recv(c.fd, chunk, sizeof chunk, 0);
  if (n == 0) return false;
  if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  c.input.insert(c.input.end(), chunk, chunk + n);
  while (c.input.size() >= kMbapHeader) {
    const std::size_t length = static_cast<std::size_t>(c.input[4] << 8 | c.input[5]);
    // A length no request can have means the stream is out of step: a device drops such a client.
    if (length < 2 || length > kMaxLengthField) return false;
    if (c.input.size() < kMbapHeader + length) break;
    const std::span<const std::uint8_t> adu(c.input.data(), kMbapHeader + length);
    if (log_) log_->print("modbus-rx " + c.listener->name + " " + hexText(adu));
    for (auto& reply : handler_(c.listener->device, adu, clock_())) {
      if (!c.replies.empty()) reply.dueMs = std::max(reply.dueMs, c.replies.back().dueMs);
      c.replies.push_back(std::move(reply));
    }
    c.input.erase(c.input.begin(), c.input.begin() + static_cast<std::ptrdiff_t>(adu.size()));
  }
  return true;
}

bool ModbusServer::sendDue(Connection& c, std::int64_t nowMs) {
  while (!c.replies.empty() && c.replies.front().dueMs <= nowMs) {
    const Bytes& bytes = c.replies.front().bytes;
    // Replies are small; a client that lets its receive buffer fill is dropped.
    if (::send(c.fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size())) return false;
    if (log_ && logReplies_) log_->print("modbus-tx " + c.listener->name + " " + hexText(bytes));
    c.replies.pop_front();
  }
  return true;
}

int ModbusServer::pollTimeout(std::int64_t nowMs) const {
  std::int64_t wait = kStopCheckMs;
  for (const auto& c : connections_)
    if (!c->replies.empty()) wait = std::min(wait, c->replies.front().dueMs - nowMs);
  return static_cast<int>(std::max<std::int64_t>(wait, 0));
}

void ModbusServer::run(const std::atomic<bool>& stop) {
  std::vector<pollfd> fds;
  while (!stop.load()) {
    fds.clear();
    for (const auto& l : listeners_) fds.push_back({l->fd, POLLIN, 0});
    for (const auto& c : connections_) fds.push_back({c->fd, POLLIN, 0});
    if (::poll(fds.data(), fds.size(), pollTimeout(clock_())) < 0 && errno != EINTR) break;
    for (std::size_t i = 0; i < listeners_.size(); ++i)
      if (fds[i].revents & POLLIN) accept(*listeners_[i]);
    // Connections accepted just now have no entry in `fds` yet; they are polled next time.
    const std::size_t polled = fds.size() - listeners_.size();
    for (std::size_t i = polled; i-- > 0;) {
      auto& c = *connections_[i];
      const short events = fds[listeners_.size() + i].revents;
      bool keep = !(events & (POLLIN | POLLHUP | POLLERR)) || receive(c);
      keep = keep && sendDue(c, clock_());
      if (!keep) {
        ::close(c.fd);
        connections_.erase(connections_.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
  }
  closeAll();
}

void ModbusServer::closeAll() {
  for (const auto& c : connections_) ::close(c->fd);
  connections_.clear();
  for (const auto& l : listeners_) ::close(l->fd);
  listeners_.clear();
}

}  // namespace trax_sim
