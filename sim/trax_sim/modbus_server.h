#pragma once
// The Modbus TCP side of the simulator: one listening socket per module that
// serves Modbus, any number of client connections on each, all on one thread
// (poll), so a slow or silent client never holds up another or the UDP ports.
// Requests are cut into whole MBAP frames and handed to a handler; replies go
// out when due, in request order on each connection.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "datagram_loop.h"
#include "platform/udp_socket.h"

namespace trax_sim {

class ModbusServer {
 public:
  // `device` is the number given to listen(); `adu` is one whole request,
  // MBAP header included.
  using Handler =
      std::function<std::vector<Outgoing>(std::size_t device, std::span<const std::uint8_t> adu, std::int64_t nowMs)>;

  ModbusServer(Handler handler, DatagramLoop::Clock clock, LinePrinter* logTo, bool logReplies);
  ~ModbusServer();
  ModbusServer(const ModbusServer&) = delete;
  ModbusServer& operator=(const ModbusServer&) = delete;

  // Opens a listening socket; port 0 takes a free port. Returns the endpoint
  // bound. Throws std::runtime_error naming the endpoint when it cannot.
  platform::Endpoint listen(const platform::Endpoint& at, std::size_t device);
  bool serves() const { return !listeners_.empty(); }

  // Runs until `stop` is set; checks it at least every 50 ms. Closes every
  // socket before it returns.
  void run(const std::atomic<bool>& stop);

 private:
  struct Listener {
    int fd = -1;
    std::size_t device = 0;
    std::string name;  // the bound endpoint, for the log
  };
  struct Connection {
    int fd = -1;
    const Listener* listener = nullptr;
    Bytes input;
    std::deque<Outgoing> replies;  // due times never decrease
  };

  void accept(const Listener& listener);
  bool receive(Connection& c);  // false: the connection is to be closed
  bool sendDue(Connection& c, std::int64_t nowMs);
  int pollTimeout(std::int64_t nowMs) const;
  void closeAll();

  Handler handler_;
  DatagramLoop::Clock clock_;
  LinePrinter* log_;
  bool logReplies_;
  std::vector<std::unique_ptr<Listener>> listeners_;
  std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace trax_sim
