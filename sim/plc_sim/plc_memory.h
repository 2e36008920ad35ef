#pragma once
// The PLC's memory as the orders see it: a byte-addressed area (Order50,
// Order51), a word-addressed area (Order40, Order46) and numbered extended
// areas with 32-bit addresses (Order61_12/13, Order70/71). Unset locations
// read as 0.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace plc_sim {

class PlcMemory {
 public:
  static constexpr std::size_t kByteCount = 65536;
  static constexpr std::size_t kWordCount = 65536;

  PlcMemory();

  // Nothing when the range runs past the end of the area.
  std::optional<std::vector<std::uint8_t>> readBytes(std::size_t address, std::size_t count) const;
  bool writeBytes(std::size_t address, std::span<const std::uint8_t> bytes);
  std::optional<std::vector<std::uint16_t>> readWords(std::size_t address, std::size_t count) const;
  bool writeWords(std::size_t address, std::span<const std::uint16_t> words);

  // Extended areas are sparse; addresses wrap at 2^32.
  std::vector<std::uint8_t> readArea(std::uint8_t area, std::uint32_t address, std::size_t count) const;
  void writeArea(std::uint8_t area, std::uint32_t address, std::span<const std::uint8_t> bytes);

 private:
  std::vector<std::uint8_t> bytes_;
  std::vector<std::uint16_t> words_;
  std::map<std::uint64_t, std::uint8_t> areas_;  // key: area << 32 | address
};

// What the PLC does beyond plain memory when an order touches certain
// locations (the information mailbox, the command-word handshake, the MAC
// table of the slots). The link side only stores and fetches; a PLC model
// overrides these.
class PlcHooks {
 public:
  virtual ~PlcHooks() = default;
  virtual void afterByteWrite(PlcMemory&, std::size_t /*address*/, std::size_t /*count*/) {}
  virtual void afterWordWrite(PlcMemory&, std::size_t /*address*/, std::size_t /*count*/) {}
  // Reply data for an extended-area read; nothing means a plain area read.
  virtual std::optional<std::vector<std::uint8_t>> areaRead(const PlcMemory&, std::uint8_t /*area*/,
                                                           std::uint32_t /*address*/,
                                                           std::size_t /*count*/) {
    return std::nullopt;
  }
};

}  // namespace plc_sim
