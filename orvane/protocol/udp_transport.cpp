#include "orvane/protocol/datagram_transport.h"

#include "platform/network_adapters.h"

namespace orvane {
namespace {

class UdpDatagramSocket final : public DatagramSocket {
 public:
  explicit UdpDatagramSocket(platform::UdpSocket socket) : socket_(std::move(socket)) {}

  bool setBroadcast() override { return socket_.setBroadcast(true); }
  bool setReceiveTimeout(int milliseconds) override {
    return socket_.setReceiveTimeout(milliseconds);
  }
  bool sendTo(const platform::Endpoint& to, std::span<const std::uint8_t> frame) override {
    return socket_.sendTo(to, frame.data(), frame.size());
  }
  bool sendVia(const platform::Endpoint& to, std::string_view interfaceName,
               std::span<const std::uint8_t> frame) override {
    return socket_.sendVia(to, interfaceName, frame.data(), frame.size());
  }
  int receive(std::span<std::uint8_t> buffer) override {
    return socket_.receive(buffer.data(), buffer.size());
  }
  int receive(std::span<std::uint8_t> buffer, std::string& arrivalInterface) override {
    return socket_.receive(buffer.data(), buffer.size(), nullptr, &arrivalInterface);
  }

 private:
  platform::UdpSocket socket_;
};

}  // namespace

std::unique_ptr<DatagramSocket> UdpTransport::open() {
  platform::UdpSocket socket;
  if (!socket.open()) return nullptr;
  // Without it replies still arrive, only without the interface they came in on.
  socket.noteArrivalInterface();
  return std::make_unique<UdpDatagramSocket>(std::move(socket));
}

std::vector<std::string> UdpTransport::broadcastInterfaces() {
  return platform::broadcastAdapterNames();
}

}  // namespace orvane
