#pragma once
// The simulator's end of the serial line: the master side of a
// pseudo-terminal whose slave path the user hands to the serial layer.
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plc_sim {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Opens the pair in raw mode; the error text when that fails.
  std::string open();
  const std::string& slavePath() const { return slavePath_; }

  // Waits for what the other side sent; empty after a failure.
  std::vector<std::uint8_t> read();
  bool write(std::span<const std::uint8_t> bytes);

 private:
  int master_ = -1;
  // Held open so the line keeps its settings and the master never sees a
  // hang-up between two users of the slave.
  int slave_ = -1;
  std::string slavePath_;
};

// Paces bytes as a serial line at `baud` with 10 bits a byte (8N1) would;
// a baud of 0 paces nothing.
class LinePacer {
 public:
  explicit LinePacer(unsigned baud);
  // Waits until `count` bytes just read would have finished arriving.
  void awaitReceived(std::size_t count);
  // Sends byte by byte at line speed.
  bool send(PseudoTerminal& line, std::span<const std::uint8_t> bytes);

 private:
  using Clock = std::chrono::steady_clock;
  std::chrono::nanoseconds byteTime_{0};
  Clock::time_point receivedUntil_{};
  Clock::time_point sentUntil_{};
};

}  // namespace plc_sim
