#include "orvane/protocol/datagram_transport.h"

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
  int receive(std::span<std::uint8_t> buffer) override {
    return socket_.receive(buffer.data(), buffer.size());
  }

 private:
  platform::UdpSocket socket_;
};

}  // namespace

std::unique_ptr<DatagramSocket> UdpTransport::open() {
  platform::UdpSocket socket;
  if (!socket.open()) return nullptr;
  return std::make_unique<UdpDatagramSocket>(std::move(socket));
}

}  // namespace orvane
