#pragma once
// A UDP peer on 127.0.0.1 with a free port, answering each datagram it gets
// with what `answer` returns, sent back to the sender. For the tests of the
// real socket path; it never sends anywhere but to its loopback senders.
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/udp_socket.h"

namespace orvane::testing {

class LoopbackResponder {
 public:
  using Bytes = std::vector<std::uint8_t>;
  using Answer = std::function<std::vector<Bytes>(const Bytes& request)>;

  explicit LoopbackResponder(Answer answer) : answer_(std::move(answer)) {
    socket_.open();
    socket_.bind({0x7F000001, 0});
    socket_.setReceiveTimeout(20);
    endpoint_ = socket_.localEndpoint().value_or(platform::Endpoint{});
    thread_ = std::thread([this] { serve(); });
  }
  ~LoopbackResponder() {
    stop_ = true;
    thread_.join();
  }

  platform::Endpoint endpoint() const { return endpoint_; }
  std::vector<Bytes> received() const {
    std::lock_guard lock(mutex_);
    return received_;
  }

 private:
  void serve() {
    std::vector<std::uint8_t> buffer(2048);
    while (!stop_) {
      platform::Endpoint from;
      const int n = socket_.receive(buffer.data(), buffer.size(), &from);
      if (n < 0) continue;
      const Bytes request(buffer.begin(), buffer.begin() + n);
      {
        std::lock_guard lock(mutex_);
        received_.push_back(request);
      }
      if ((from.address >> 24) != 127) continue;  // loopback only
      for (const auto& reply : answer_(request)) socket_.sendTo(from, reply.data(), reply.size());
    }
  }

  Answer answer_;
  platform::UdpSocket socket_;
  platform::Endpoint endpoint_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<Bytes> received_;  // guarded by mutex_
  std::thread thread_;
};

}  // namespace orvane::testing
