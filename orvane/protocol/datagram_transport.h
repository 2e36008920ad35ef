#pragma once
// The datagram transport under the module protocol. Each exchange opens its
// own socket and closes it at the end; nothing is kept between exchanges, so
// exchanges on the two threads share nothing. The real transport sits on
// platform::UdpSocket; tests put a fake here that records what was sent and
// injects what arrives.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/udp_socket.h"

namespace orvane {

class DatagramSocket {
 public:
  virtual ~DatagramSocket() = default;  // closes the socket

  virtual bool setBroadcast() = 0;
  virtual bool setReceiveTimeout(int milliseconds) = 0;
  virtual bool sendTo(const platform::Endpoint& to, std::span<const std::uint8_t> frame) = 0;
  // The same out of one network interface only, named as the system names it.
  virtual bool sendVia(const platform::Endpoint& to, std::string_view interfaceName,
                       std::span<const std::uint8_t> frame) = 0;
  // Waits up to the receive time-out for one datagram and returns its length;
  // -1 on an error, a time-out, or a datagram longer than `buffer`.
  virtual int receive(std::span<std::uint8_t> buffer) = 0;
  // The same, telling the interface the datagram arrived on (empty when the
  // system does not say).
  virtual int receive(std::span<std::uint8_t> buffer, std::string& arrivalInterface) = 0;
};

class DatagramTransport {
 public:
  virtual ~DatagramTransport() = default;

  // What starting Windows Sockets is on that platform; elsewhere it succeeds.
  virtual bool startup() = 0;
  virtual void cleanup() = 0;
  // A new socket; nothing when it cannot be created.
  virtual std::unique_ptr<DatagramSocket> open() = 0;
  // The interfaces a discovery goes out of when no single destination is
  // set: those that are up, carry IPv4 and can broadcast, loopback excluded.
  virtual std::vector<std::string> broadcastInterfaces() = 0;
};

// The transport of the operating system.
class UdpTransport final : public DatagramTransport {
 public:
  bool startup() override { return true; }
  void cleanup() override {}
  std::unique_ptr<DatagramSocket> open() override;
  std::vector<std::string> broadcastInterfaces() override;
};

}  // namespace orvane
