#include "sim/plc_sim/plc_memory.h"

#include <algorithm>

namespace plc_sim {
namespace {

bool fits(std::size_t address, std::size_t count, std::size_t size) {
  return address <= size && count <= size - address;
}

std::uint64_t areaKey(std::uint8_t area, std::uint32_t address) {
  return (std::uint64_t{area} << 32) | address;
}

}  // namespace

PlcMemory::PlcMemory() : bytes_(kByteCount), words_(kWordCount) {}

std::optional<std::vector<std::uint8_t>> PlcMemory::readBytes(std::size_t address,
                                                              std::size_t count) const {
  if (!fits(address, count, bytes_.size())) return std::nullopt;
  return std::vector<std::uint8_t>(bytes_.begin() + address, bytes_.begin() + address + count);
}

bool PlcMemory::writeBytes(std::size_t address, std::span<const std::uint8_t> bytes) {
  if (!fits(address, bytes.size(), bytes_.size())) return false;
  std::copy(bytes.begin(), bytes.end(), bytes_.begin() + address);
  return true;
}

std::optional<std::vector<std::uint16_t>> PlcMemory::readWords(std::size_t address,
                                                               std::size_t count) const {
  if (!fits(address, count, words_.size())) return std::nullopt;
  return std::vector<std::uint16_t>(words_.begin() + address, words_.begin() + address + count);
}

bool PlcMemory::writeWords(std::size_t address, std::span<const std::uint16_t> words) {
  if (!fits(address, words.size(), words_.size())) return false;
  std::copy(words.begin(), words.end(), words_.begin() + address);
  return true;
}

std::vector<std::uint8_t> PlcMemory::readArea(std::uint8_t area, std::uint32_t address,
                                              std::size_t count) const {
  std::vector<std::uint8_t> out(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto it = areas_.find(areaKey(area, static_cast<std::uint32_t>(address + i)));
    if (it != areas_.end()) out[i] = it->second;
  }
  return out;
}

void PlcMemory::writeArea(std::uint8_t area, std::uint32_t address,
                          std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i)
    areas_[areaKey(area, static_cast<std::uint32_t>(address + i))] = bytes[i];
}

}  // namespace plc_sim
