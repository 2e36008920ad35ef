#pragma once
// A datagram transport for tests: records every frame sent and lets a
// responder decide what arrives on that socket afterwards. When the arrivals
// are used up, receive() times out at once: no test waits for real time.
#include <algorithm>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "orvane/protocol/datagram_transport.h"

namespace orvane::testing {

using Bytes = std::vector<std::uint8_t>;

// A datagram sent out of an interface arrives back on it, unless the arrival
// names another.
struct Arrival {
  enum Kind { Datagram, Error } kind = Datagram;
  Bytes bytes;
  std::string interfaceName;
  static Arrival datagram(Bytes b) { return {Datagram, std::move(b), {}}; }
  static Arrival error() { return {Error, {}, {}}; }
};

struct SentFrame {
  Bytes frame;
  platform::Endpoint to;
  int timeoutMs = 0;
  std::string interfaceName;  // sendVia's; empty for sendTo
};

class FakeTransport final : public DatagramTransport {
 public:
  using Responder = std::function<std::vector<Arrival>(const Bytes& frame)>;

  Responder responder = [](const Bytes&) { return std::vector<Arrival>{}; };
  bool failStartup = false, failOpen = false, failBroadcast = false, failTimeout = false,
       failSend = false;
  std::vector<std::string> interfaces;  // what broadcastInterfaces() lists

  bool startup() override {
    std::lock_guard lock(mutex_);
    ++startups_;
    return !failStartup;
  }
  void cleanup() override {
    std::lock_guard lock(mutex_);
    ++cleanups_;
  }
  std::unique_ptr<DatagramSocket> open() override;
  std::vector<std::string> broadcastInterfaces() override { return interfaces; }

  std::vector<SentFrame> sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
  }
  std::vector<Bytes> sentFrames() const {
    std::vector<Bytes> frames;
    for (const auto& s : sent()) frames.push_back(s.frame);
    return frames;
  }
  int countSent(std::uint8_t code) const {
    int n = 0;
    for (const auto& s : sent()) n += s.frame.size() > 3 && s.frame[3] == code;
    return n;
  }
  int receives() const { std::lock_guard lock(mutex_); return receives_; }
  int startups() const { std::lock_guard lock(mutex_); return startups_; }
  int cleanups() const { std::lock_guard lock(mutex_); return cleanups_; }
  int openSockets() const { std::lock_guard lock(mutex_); return openSockets_; }

 private:
  class Socket;
  friend class Socket;
  mutable std::mutex mutex_;
  std::vector<SentFrame> sent_;
  int receives_ = 0, startups_ = 0, cleanups_ = 0, openSockets_ = 0;
};

class FakeTransport::Socket final : public DatagramSocket {
 public:
  explicit Socket(FakeTransport& t) : t_(t) {
    std::lock_guard lock(t_.mutex_);
    ++t_.openSockets_;
  }
  ~Socket() override {
    std::lock_guard lock(t_.mutex_);
    --t_.openSockets_;
  }
  bool setBroadcast() override { return !t_.failBroadcast; }
  bool setReceiveTimeout(int ms) override {
    timeoutMs_ = ms;
    return !t_.failTimeout;
  }
  bool sendTo(const platform::Endpoint& to, std::span<const std::uint8_t> frame) override {
    return send(to, {}, frame);
  }
  bool sendVia(const platform::Endpoint& to, std::string_view interfaceName,
               std::span<const std::uint8_t> frame) override {
    return send(to, std::string(interfaceName), frame);
  }
  int receive(std::span<std::uint8_t> buffer, std::string& arrivalInterface) override {
    const auto at = next_;
    const int length = receive(buffer);
    arrivalInterface = at < arrivals_.size() ? arrivals_[at].interfaceName : std::string();
    return length;
  }
  int receive(std::span<std::uint8_t> buffer) override {
    {
      std::lock_guard lock(t_.mutex_);
      ++t_.receives_;
    }
    if (next_ >= arrivals_.size()) return -1;  // the time-out
    const auto& a = arrivals_[next_++];
    if (a.kind == Arrival::Error) return -1;
    std::copy_n(a.bytes.begin(), std::min(a.bytes.size(), buffer.size()), buffer.begin());
    if (a.bytes.size() > buffer.size()) return -1;  // longer than the buffer
    return static_cast<int>(a.bytes.size());
  }

 private:
  bool send(const platform::Endpoint& to, const std::string& via,
            std::span<const std::uint8_t> frame) {
    if (t_.failSend) return false;
    Bytes bytes(frame.begin(), frame.end());
    {
      std::lock_guard lock(t_.mutex_);
      t_.sent_.push_back({bytes, to, timeoutMs_, via});
    }
    for (auto& arrival : t_.responder(bytes)) {
      if (arrival.interfaceName.empty()) arrival.interfaceName = via;
      arrivals_.push_back(std::move(arrival));
    }
    return true;
  }

  FakeTransport& t_;
  int timeoutMs_ = 0;
  std::vector<Arrival> arrivals_;
  std::size_t next_ = 0;
};

inline std::unique_ptr<DatagramSocket> FakeTransport::open() {
  if (failOpen) return nullptr;
  return std::make_unique<Socket>(*this);
}

}  // namespace orvane::testing
