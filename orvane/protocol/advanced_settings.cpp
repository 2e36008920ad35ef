#include "advanced_settings.h"

#include "orvane/protocol/reply_reader.h"

namespace orvane {
namespace {

void putU32le(std::span<std::uint8_t> out, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::array<std::uint8_t, kAdvancedBlockBytes> advancedSettingsPayload(const AdvancedSettings& s) {
  std::array<std::uint8_t, kAdvancedBlockBytes> block{};
  putU32le(block, kAdvancedReservedA, s.reservedA);
  putU32le(block, kAdvancedReservedB, s.reservedB);
  block[kAdvancedReservedByte] = s.reservedByte;
  putU32le(block, kAdvancedMasterTimeout, s.masterTimeoutMs);
  putU32le(block, kAdvancedSlaveTimeout, s.slaveTimeoutSec);
  return block;
}

void takeAdvancedSettingsReply(std::span<const std::uint8_t> reply, AdvancedSettings& s) {
  const ReplyReader r(reply);
  constexpr std::size_t at = kAdvancedReplyOffset;
  s.reservedA = r.u32le(at + kAdvancedReservedA);
  s.reservedB = r.u32le(at + kAdvancedReservedB);
  s.reservedByte = r.u8(at + kAdvancedReservedByte);
  s.masterTimeoutMs = r.u32le(at + kAdvancedMasterTimeout);
  s.slaveTimeoutSec = r.u32le(at + kAdvancedSlaveTimeout);
}

}  // namespace orvane
