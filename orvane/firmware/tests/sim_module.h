#pragma once
// trax-sim as the module for a test: started on a free loopback port with
// short boot loader delays; the editor's requests go only there.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/udp_socket.h"
#include "test_support/child_process.h"

namespace orvane::testing {

class SimModule {
 public:
  // `args` add modules, faults, --log, --dump-dir.
  explicit SimModule(std::vector<std::string> args) {
    args.insert(args.begin(), {"--listen", "127.0.0.1:0", "--no-scan", "--enter-delay", "20",
                               "--erase-delay", "20", "--restart-delay", "20"});
    process_ = std::make_unique<test_support::ChildProcess>(TRAX_BIN_DIR "/trax-sim", args);
    const auto port = process_->waitForLine("listening ", 1);
    if (port) endpoint_ = platform::parseEndpoint(*port).value_or(platform::Endpoint{});
    if (endpoint_.port == 0 || (endpoint_.address >> 24) != 127)
      ADD_FAILURE() << "trax-sim gave no loopback ready line";
  }

  const platform::Endpoint& endpoint() const { return endpoint_; }

  // The command codes of the logged requests ("rx AA LL LL CC ...") up to
  // and including the next discovery, which the test sends as a marker.
  std::vector<std::uint8_t> loggedCodesUntilDiscovery() {
    std::vector<std::uint8_t> codes;
    for (int i = 0; i < 5000; ++i) {
      const auto line = process_->waitForLine("rx ");
      if (!line || line->size() < 11) break;
      codes.push_back(static_cast<std::uint8_t>(std::stoi(line->substr(9, 2), nullptr, 16)));
      if (codes.back() == 0x01) break;
    }
    return codes;
  }

 private:
  std::unique_ptr<test_support::ChildProcess> process_;
  platform::Endpoint endpoint_;
};

inline std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace orvane::testing
