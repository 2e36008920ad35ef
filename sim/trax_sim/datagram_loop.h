#pragma once
// One UDP port of the simulator: receives datagrams, hands them to a handler
// and sends each reply to the sender when it is due.
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/udp_socket.h"
#include "simulator.h"

namespace trax_sim {

// Standard output shared by the loops: whole lines, flushed at once.
class LinePrinter {
 public:
  void print(const std::string& line);

 private:
  std::mutex mutex_;  // guards standard output between the two loops
};

class DatagramLoop {
 public:
  using Handler = std::function<std::vector<Outgoing>(std::span<const std::uint8_t>, std::int64_t nowMs)>;
  using Clock = std::function<std::int64_t()>;

  struct LogSettings {
    LinePrinter* printer = nullptr;  // no printer: no log
    std::string rxPrefix = "rx";
    std::string txPrefix = "tx";
    bool replies = false;
  };

  DatagramLoop(platform::UdpSocket socket, Handler handler, Clock clock, LogSettings log)
      : socket_(std::move(socket)), handler_(std::move(handler)), clock_(std::move(clock)), log_(std::move(log)) {}

  // Runs until `stop` is set; checks it at least every 50 ms.
  void run(const std::atomic<bool>& stop);

 private:
  void sendDue(std::int64_t nowMs);

  platform::UdpSocket socket_;
  Handler handler_;
  Clock clock_;
  LogSettings log_;
  // Replies waiting for their time, in due order; owned by the loop's thread.
  std::multimap<std::int64_t, std::pair<platform::Endpoint, Bytes>> queue_;
};

}  // namespace trax_sim
