#pragma once
// A thin IPv4 datagram socket: broadcast option, receive time-out, send to a
// destination, receive with a capacity. The platform error of the last failing
// call is kept in the socket at the moment of the failure.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct Endpoint {
  std::uint32_t address = 0;  // host byte order: 127.0.0.1 is 0x7F000001
  std::uint16_t port = 0;

  std::string text() const;  // "a.b.c.d:port"
  friend bool operator==(const Endpoint&, const Endpoint&) = default;
};

// "HOST:PORT" with a dotted IPv4 host; a bare dotted host takes `defaultPort`.
std::optional<Endpoint> parseEndpoint(std::string_view text, std::uint16_t defaultPort = 0);
std::optional<std::uint32_t> parseIpv4(std::string_view dotted);

class UdpSocket {
 public:
  UdpSocket() = default;
  ~UdpSocket();
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;
  UdpSocket(UdpSocket&& other) noexcept;
  UdpSocket& operator=(UdpSocket&& other) noexcept;

  bool open();
  void close();
  bool isOpen() const { return fd_ >= 0; }

  bool setBroadcast(bool enabled);
  bool setReceiveTimeout(int milliseconds);  // 0 waits without limit
  bool bind(const Endpoint& local);          // port 0 takes a free port; a port in use fails
  std::optional<Endpoint> localEndpoint() const;

  bool sendTo(const Endpoint& to, const std::uint8_t* data, std::size_t size);
  // The same, leaving through the named network interface only, also for the
  // limited broadcast 255.255.255.255 (which the system would otherwise send
  // through one interface of its choice). Needs no privileges: the interface
  // travels with the datagram (IP_PKTINFO; Windows has it through WSASendMsg,
  // macOS through IP_PKTINFO or IP_BOUND_IF). An unknown name fails (ENXIO).
  bool sendVia(const Endpoint& to, std::string_view interfaceName, const std::uint8_t* data,
               std::size_t size);
  // Lets receive() tell the interface each datagram arrived on.
  bool noteArrivalInterface();

  // The received length, or -1 on error, time-out, or a datagram longer than
  // `capacity` (its first `capacity` bytes are still in `buffer`).
  // `arrivalInterface` takes the name of the interface the datagram arrived
  // on, empty when noteArrivalInterface() was not called or the system does
  // not tell.
  int receive(std::uint8_t* buffer, std::size_t capacity, Endpoint* from = nullptr,
              std::string* arrivalInterface = nullptr);

  int lastError() const { return lastError_; }
  bool lastReceiveTimedOut() const;

 private:
  int fd_ = -1;
  int lastError_ = 0;
};

}  // namespace platform
