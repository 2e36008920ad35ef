#pragma once
// What a transaction needs from the serial layer. The library's exports put
// Tethra behind it; tests put a scripted link with a fake clock behind it.
#include <cstddef>
#include <cstdint>
#include <span>

namespace wirelet {

class LinkPort {
 public:
  virtual ~LinkPort() = default;
  // Discards the received bytes the port holds. Bytes already written are
  // not taken back: the previous transaction's final EOT must still reach
  // the PLC when the next transaction starts at once.
  virtual void flush() = 0;
  virtual void write(std::span<const std::uint8_t> bytes) = 0;
  // Received bytes waiting; never blocks.
  virtual std::size_t waiting() = 0;
  // Copies up to `count` waiting bytes; returns how many.
  virtual std::size_t read(std::uint8_t* buffer, std::size_t count) = 0;
  // The time-out is one per process: arming it replaces the previous one.
  virtual void armTimeOut(unsigned milliseconds) = 0;
  virtual bool timedOut() = 0;
  virtual void sleep(unsigned milliseconds) = 0;
};

}  // namespace wirelet
