#pragma once
// The calls Tessor makes into Quorra, behind an interface so that tests can
// script results (time-outs, unknown codes) without a server. linkedQuorra()
// forwards to the linked library.
#include <cstdint>

#include "common/tag_pparam.h"

namespace tessor {

inline constexpr std::uint16_t kAreaCoils = 0x0200;
inline constexpr std::uint16_t kAreaDiscreteInputs = 0x0201;
inline constexpr std::uint16_t kAreaHoldingRegisters = 0x0103;
inline constexpr std::uint16_t kAreaInputRegisters = 0x0102;

class QuorraApi {
 public:
  virtual ~QuorraApi() = default;
  virtual std::uint16_t open(tagPPARAM& record) = 0;
  virtual std::uint16_t close(tagPPARAM& record) = 0;
  virtual std::uint16_t read(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                             std::uint16_t* buffer, std::int16_t count) = 0;
  // Coils: `count` is the number of coils, the packed bits are in `buffer`.
  virtual std::uint16_t write(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                              const std::uint16_t* buffer, std::int16_t count) = 0;
  virtual std::uint16_t setBit(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                               int value) = 0;
};

QuorraApi& linkedQuorra();

}  // namespace tessor
