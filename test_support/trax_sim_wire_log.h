#pragma once
// trax-sim as the peer of a test: started on a free loopback port with its
// wire log, and read back through a marker datagram, so a test sees exactly
// the frames that arrived since it last looked, and can tell that nothing
// arrived at all. Needs no test framework: a log without the marker is
// reported through `noMarker`.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/udp_socket.h"
#include "test_support/child_process.h"

namespace test_support {

class TraxSimWireLog {
 public:
  using Frames = std::vector<std::vector<std::uint8_t>>;

  explicit TraxSimWireLog(std::vector<std::string> args, std::function<void()> noMarker = [] {
    std::fputs("no marker in trax-sim's wire log\n", stderr);
  })
      : process_(TRAX_BIN_DIR "/trax-sim", withDefaults(std::move(args))), noMarker_(std::move(noMarker)) {
    const auto port = process_.waitForLine("listening 127.0.0.1:");
    if (port) endpoint_ = {0x7F000001, static_cast<std::uint16_t>(std::stoi(*port))};
    socket_.open();
  }

  bool ready() const { return endpoint_.port != 0; }
  platform::Endpoint endpoint() const { return endpoint_; }
  std::string target() const { return endpoint_.text(); }

  // The log lines ("rx ..." and, with --log-replies, "tx ...") since the
  // last call.
  std::vector<std::string> lines() {
    const std::uint8_t marker[] = {0x4D, 0x4B, ++markers_};
    socket_.sendTo(endpoint_, marker, sizeof marker);
    char expected[16];
    std::snprintf(expected, sizeof expected, "rx 4D 4B %02X", markers_);
    std::vector<std::string> lines;
    for (int i = 0; i < 100000; ++i) {
      const auto line = process_.readLine();
      if (!line || *line == expected) return lines;
      lines.push_back(*line);
    }
    noMarker_();
    return lines;
  }
  // The received frames since the last look, each as its bytes.
  Frames received() {
    Frames frames;
    for (const auto& line : lines())
      if (line.rfind("rx ", 0) == 0) frames.push_back(bytesOf(line));
    return frames;
  }
  static std::vector<std::uint8_t> bytesOf(const std::string& line) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t at = 3; at + 1 < line.size(); at += 3)
      bytes.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(at, 2), nullptr, 16)));
    return bytes;
  }
  // The request code of each frame (-1 for a frame too short to hold one).
  static std::vector<int> codes(const Frames& frames) {
    std::vector<int> codes;
    for (const auto& f : frames) codes.push_back(f.size() > 3 ? f[3] : -1);
    return codes;
  }

 private:
  static std::vector<std::string> withDefaults(std::vector<std::string> args) {
    args.insert(args.begin(), {"--listen", "127.0.0.1:0", "--no-scan", "--log"});
    return args;
  }

  ChildProcess process_;
  std::function<void()> noMarker_;
  platform::Endpoint endpoint_;
  platform::UdpSocket socket_;
  std::uint8_t markers_ = 0;
};

}  // namespace test_support
