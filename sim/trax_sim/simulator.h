#pragma once
// The set of simulated modules behind one port: takes each received datagram
// and returns the datagrams to send back, with the time each one is due.
// Pure logic: time comes in as an argument, sockets live elsewhere.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "command_handlers.h"
#include "module_state.h"

namespace trax_sim {

struct Outgoing {
  std::int64_t dueMs = 0;
  Bytes bytes;
};

class Simulator {
 public:
  using NoteSink = std::function<void(const std::string&)>;

  explicit Simulator(std::vector<Module> modules) : modules_(std::move(modules)) {}

  // Where refusals and ignored requests are told (standard error in the program).
  void setNoteSink(NoteSink sink) { notes_ = std::move(sink); }
  // Directory that receives each verified firmware area as <MAC>-<boot|system>.bin.
  void setDumpDirectory(std::string dir) { dumpDir_ = std::move(dir); }

  // A datagram on the module protocol port.
  std::vector<Outgoing> handleDatagram(std::span<const std::uint8_t> datagram, std::int64_t nowMs);
  // A datagram on the module scan port.
  std::vector<Outgoing> handleScan(std::span<const std::uint8_t> datagram, std::int64_t nowMs);
  // A whole Modbus TCP request (MBAP header included) to the server of the
  // module at `index`, which must serve Modbus.
  std::vector<Outgoing> handleModbus(std::size_t index, std::span<const std::uint8_t> adu, std::int64_t nowMs);

  std::vector<Module>& modules() { return modules_; }

 private:
  std::vector<Outgoing> respond(Module& module, const Request& request, std::int64_t nowMs);
  void shape(Module& module, std::uint8_t code, Bytes reply, std::int64_t dueMs,
             std::vector<Outgoing>& out);
  void afterHandled(Module& module, const Request& request, const Handled& handled, std::int64_t nowMs);
  void note(const Module& module, const std::string& text);
  void dumpArea(const Module& module, std::uint8_t kind);

  std::vector<Module> modules_;
  NoteSink notes_;
  std::string dumpDir_;
};

// The datagram of the module scan and the answer a running module gives it:
// the address and port where it serves Modbus TCP, else its address in use and 502.
inline constexpr std::uint8_t kScanRequest[10] = {0x48, 0x41, 0x50, 0x01, 0x00, 0xA5, 0x50, 0x01, 0x00, 0x05};
Bytes scanReply(const Module& module);

}  // namespace trax_sim
