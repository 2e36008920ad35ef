#pragma once
// AdvancedSettings: the Modbus master and slave time-outs of a module and
// three values the editor does not edit but must send back exactly as read.
//
// On the wire the fields follow the MAC in this order (integers
// little-endian), in the WriteAdvancedSettings request from byte 10 and in
// the ReadAdvancedSettings reply from byte 4:
//
//   +0   4  reservedA
//   +4   4  reservedB
//   +8   1  reservedByte     (between reservedB and the time-outs)
//   +9   4  masterTimeoutMs
//   +13  4  slaveTimeoutSec
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "orvane/protocol/module_record.h"

namespace orvane {

struct AdvancedSettings {
  MacAddress mac{};
  std::uint32_t reservedA = 0;
  std::uint32_t reservedB = 0;
  std::uint32_t masterTimeoutMs = 0;
  std::uint32_t slaveTimeoutSec = 0;
  std::uint8_t reservedByte = 0;

  friend bool operator==(const AdvancedSettings&, const AdvancedSettings&) = default;
};

// Offsets inside the 17-byte block that follows the MAC.
inline constexpr std::size_t kAdvancedReservedA = 0;
inline constexpr std::size_t kAdvancedReservedB = 4;
inline constexpr std::size_t kAdvancedReservedByte = 8;
inline constexpr std::size_t kAdvancedMasterTimeout = 9;
inline constexpr std::size_t kAdvancedSlaveTimeout = 13;
inline constexpr std::size_t kAdvancedBlockBytes = 17;
static_assert(kAdvancedReservedB == kAdvancedReservedA + 4);
static_assert(kAdvancedReservedByte == kAdvancedReservedB + 4);
static_assert(kAdvancedMasterTimeout == kAdvancedReservedByte + 1);
static_assert(kAdvancedSlaveTimeout == kAdvancedMasterTimeout + 4);
static_assert(kAdvancedBlockBytes == kAdvancedSlaveTimeout + 4);

// Where the block starts in the reply to ReadAdvancedSettings.
inline constexpr std::size_t kAdvancedReplyOffset = 4;

// The WriteAdvancedSettings payload after the MAC (frame bytes 10-26).
std::array<std::uint8_t, kAdvancedBlockBytes> advancedSettingsPayload(const AdvancedSettings& s);

// Takes the five values of a ReadAdvancedSettings reply; `mac` is kept.
// Bytes beyond a short reply read as 0.
void takeAdvancedSettingsReply(std::span<const std::uint8_t> reply, AdvancedSettings& s);

}  // namespace orvane
