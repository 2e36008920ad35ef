#pragma once
// Starts trax-sim for a test and talks to it over loopback.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frame_codec.h"
#include "platform/udp_socket.h"
#include "test_support/child_process.h"

namespace trax_sim::test {

inline const std::string kProgram = std::string(TRAX_BIN_DIR) + "/trax-sim";

struct RunningSim {
  std::unique_ptr<test_support::ChildProcess> process;
  platform::Endpoint modulePort;
  std::optional<platform::Endpoint> scanPort;
};

// Starts the simulator on free loopback ports; fails the test when no ready line comes.
inline RunningSim startSim(std::vector<std::string> args) {
  args.insert(args.begin(), {"--listen", "127.0.0.1:0"});
  RunningSim sim;
  sim.process = std::make_unique<test_support::ChildProcess>(kProgram, args);
  const auto first = sim.process->readLine();
  if (!first || first->rfind("listening ", 0) != 0) {
    ADD_FAILURE() << "no ready line from trax-sim";
    return sim;
  }
  sim.modulePort = *platform::parseEndpoint(first->substr(10));
  if (const auto second = sim.process->readLine(); second && second->rfind("scan-listening ", 0) == 0)
    sim.scanPort = platform::parseEndpoint(second->substr(15));
  return sim;
}

// The editor's side of the wire: one socket on a free loopback port.
class Peer {
 public:
  Peer() {
    socket_.open();
    socket_.bind(platform::Endpoint{0x7F000001, 0});
  }

  void send(const platform::Endpoint& to, const Bytes& frame) { socket_.sendTo(to, frame.data(), frame.size()); }

  // The next datagram within `timeoutMs`, or nothing.
  std::optional<Bytes> receive(int timeoutMs = 1000) {
    socket_.setReceiveTimeout(timeoutMs);
    Bytes buffer(2048);
    const int n = socket_.receive(buffer.data(), buffer.size());
    if (n < 0) return std::nullopt;
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
  }

  // Every datagram until `quietMs` pass without one (at most `limit`).
  std::vector<Bytes> receiveAll(int quietMs = 200, int limit = 1000) {
    std::vector<Bytes> all;
    while (static_cast<int>(all.size()) < limit) {
      auto d = receive(quietMs);
      if (!d) break;
      all.push_back(std::move(*d));
    }
    return all;
  }

  // One request and its reply with the same command code (others are skipped).
  std::optional<Bytes> exchange(const platform::Endpoint& to, const Bytes& frame, int timeoutMs = 1000) {
    send(to, frame);
    for (int i = 0; i < 8; ++i) {
      auto d = receive(timeoutMs);
      if (!d) return std::nullopt;
      if (d->size() > 3 && (*d)[3] == frame[3]) return d;
    }
    return std::nullopt;
  }

 private:
  platform::UdpSocket socket_;
};

}  // namespace trax_sim::test
