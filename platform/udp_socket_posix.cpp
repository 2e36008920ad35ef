#include "udp_socket.h"

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <utility>

namespace platform {
namespace {

// One datagram with room for the interface it leaves by or arrived on.
struct PktInfoControl {
  alignas(cmsghdr) char bytes[CMSG_SPACE(sizeof(in_pktinfo))];
};

msghdr pktInfoMessage(sockaddr_in& address, iovec& data, PktInfoControl& control) {
  msghdr msg{};
  msg.msg_name = &address;
  msg.msg_namelen = sizeof address;
  msg.msg_iov = &data;
  msg.msg_iovlen = 1;
  msg.msg_control = control.bytes;
  msg.msg_controllen = sizeof control.bytes;
  return msg;
}

sockaddr_in toSockaddr(const Endpoint& e) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(e.address);
  sa.sin_port = htons(e.port);
  return sa;
}

Endpoint fromSockaddr(const sockaddr_in& sa) {
  return Endpoint{ntohl(sa.sin_addr.s_addr), ntohs(sa.sin_port)};
}

}  // namespace

std::string Endpoint::text() const {
  return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
         std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF) + ":" +
         std::to_string(port);
}

std::optional<std::uint32_t> parseIpv4(std::string_view dotted) {
  std::uint32_t address = 0;
  const char* p = dotted.data();
  const char* end = p + dotted.size();
  for (int octet = 0; octet < 4; ++octet) {
    if (octet > 0) {
      if (p == end || *p != '.') return std::nullopt;
      ++p;
    }
    unsigned value = 0;
    const auto [next, ec] = std::from_chars(p, end, value);
    if (ec != std::errc() || next == p || next - p > 3 || value > 255) return std::nullopt;
    address = (address << 8) | value;
    p = next;
  }
  if (p != end) return std::nullopt;
  return address;
}

std::optional<Endpoint> parseEndpoint(std::string_view text, std::uint16_t defaultPort) {
  const auto colon = text.rfind(':');
  const auto host = parseIpv4(text.substr(0, colon));
  if (!host) return std::nullopt;
  if (colon == std::string_view::npos) return Endpoint{*host, defaultPort};
  const auto portText = text.substr(colon + 1);
  unsigned port = 0;
  const auto [next, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
  if (ec != std::errc() || next != portText.data() + portText.size() || port > 65535)
    return std::nullopt;
  return Endpoint{*host, static_cast<std::uint16_t>(port)};
}

UdpSocket::~UdpSocket() { close(); }

UdpSocket::UdpSocket(UdpSocket&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), lastError_(other.lastError_) {}

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    lastError_ = other.lastError_;
  }
  return *this;
}

bool UdpSocket::open() {
  close();
  fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (fd_ < 0) lastError_ = errno;
  return fd_ >= 0;
}

void UdpSocket::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool UdpSocket::setBroadcast(bool enabled) {
  const int value = enabled ? 1 : 0;
  if (::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &value, sizeof value) == 0) return true;
  lastError_ = errno;
  return false;
}

bool UdpSocket::setReceiveTimeout(int milliseconds) {
  timeval tv{};
  tv.tv_sec = milliseconds / 1000;
  tv.tv_usec = (milliseconds % 1000) * 1000;
  if (::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) == 0) return true;
  lastError_ = errno;
  return false;
}

// No SO_REUSEADDR: with it a second socket shares a port already in use and one
// of the two never sees its datagrams; a port that is taken must fail here.
bool UdpSocket::bind(const Endpoint& local) {
  const auto sa = toSockaddr(local);
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0) return true;
  lastError_ = errno;
  return false;
}

std::optional<Endpoint> UdpSocket::localEndpoint() const {
  sockaddr_in sa{};
  socklen_t len = sizeof sa;
  if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len) != 0) return std::nullopt;
  return fromSockaddr(sa);
}

bool UdpSocket::sendTo(const Endpoint& to, const std::uint8_t* data, std::size_t size) {
  const auto sa = toSockaddr(to);
  const auto sent =
      ::sendto(fd_, data, size, 0, reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
  if (sent == static_cast<ssize_t>(size)) return true;
  lastError_ = sent < 0 ? errno : EMSGSIZE;
  return false;
}

bool UdpSocket::sendVia(const Endpoint& to, std::string_view interfaceName,
                        const std::uint8_t* data, std::size_t size) {
  const unsigned index = ::if_nametoindex(std::string(interfaceName).c_str());
  if (index == 0) {
    lastError_ = ENXIO;
    return false;
  }
  auto sa = toSockaddr(to);
  iovec iov{const_cast<std::uint8_t*>(data), size};
  PktInfoControl control{};
  msghdr msg = pktInfoMessage(sa, iov, control);
  cmsghdr* header = CMSG_FIRSTHDR(&msg);
  header->cmsg_level = IPPROTO_IP;
  header->cmsg_type = IP_PKTINFO;
  header->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
  in_pktinfo info{};
  info.ipi_ifindex = static_cast<int>(index);  // the source address follows the interface
  std::memcpy(CMSG_DATA(header), &info, sizeof info);
  const auto sent = ::sendmsg(fd_, &msg, 0);
  if (sent == static_cast<ssize_t>(size)) return true;
  lastError_ = sent < 0 ? errno : EMSGSIZE;
  return false;
}

bool UdpSocket::noteArrivalInterface() {
  const int on = 1;
  if (::setsockopt(fd_, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) == 0) return true;
  lastError_ = errno;
  return false;
}

namespace {

std::string arrivalInterfaceOf(msghdr& msg) {
  for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
    if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_PKTINFO) continue;
    in_pktinfo info{};
    std::memcpy(&info, CMSG_DATA(c), sizeof info);
    char name[IF_NAMESIZE] = {};
    if (::if_indextoname(static_cast<unsigned>(info.ipi_ifindex), name)) return name;
  }
  return {};
}

}  // namespace

int UdpSocket::receive(std::uint8_t* buffer, std::size_t capacity, Endpoint* from,
                       std::string* arrivalInterface) {
  sockaddr_in sa{};
  iovec iov{buffer, capacity};
  PktInfoControl control{};
  msghdr msg = pktInfoMessage(sa, iov, control);
  ssize_t got;
  do {
    got = ::recvmsg(fd_, &msg, 0);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    lastError_ = errno;
    return -1;
  }
  if (from) *from = fromSockaddr(sa);
  if (arrivalInterface) *arrivalInterface = arrivalInterfaceOf(msg);
  if (msg.msg_flags & MSG_TRUNC) {
    lastError_ = EMSGSIZE;  // what Windows reports as WSAEMSGSIZE
    return -1;
  }
  return static_cast<int>(got);
}

bool UdpSocket::lastReceiveTimedOut() const {
  return lastError_ == EAGAIN || lastError_ == EWOULDBLOCK;
}

}  // namespace platform
