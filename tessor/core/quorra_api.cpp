#include "tessor/core/quorra_api.h"

#include "tessor/quorra/quorra.h"

namespace tessor {

namespace {
class LinkedQuorra final : public QuorraApi {
 public:
  std::uint16_t open(tagPPARAM& record) override { return zCOMMOpen(&record); }
  std::uint16_t close(tagPPARAM& record) override { return zCOMMClose(&record); }
  std::uint16_t read(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                     std::uint16_t* buffer, std::int16_t count) override {
    return zRead_PLC(&record, area, address, buffer, count);
  }
  std::uint16_t write(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                      const std::uint16_t* buffer, std::int16_t count) override {
    return zWrite_PLC(&record, area, address, buffer, count);
  }
  std::uint16_t setBit(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                       int value) override {
    return zSetBit_PLC(&record, area, address, value);
  }
};
}  // namespace

QuorraApi& linkedQuorra() {
  static LinkedQuorra instance;
  return instance;
}

}  // namespace tessor
