#pragma once
// Where the serial route finds a module in the PLC's memory. Byte addresses
// go to Order50/Order51, word addresses to Order40/Order46.
#include <cstdint>
#include <optional>

namespace orvane::plc {

inline constexpr int kFamilyByte = 15;  // "Z" or "z" marks a supported PLC

// The slot table: Order50 from 355 for 44 bytes; entries 0 to 31 are reply
// bytes 7 to 38 (byte addresses 358 to 389).
inline constexpr int kSlotTableAddress = 355;
inline constexpr int kSlotTableBytes = 44;
inline constexpr int kSlotEntryOffset = 3;  // entry 0 within the data
inline constexpr int kSlotEntries = 32;
inline constexpr std::uint8_t kEthernetModule = 0x12;
inline constexpr int kSlotsPerGroup = 8;

// The information mailbox: a request byte and a 25-byte answer.
inline constexpr int kMailboxRequest = 1088;
inline constexpr int kMailboxAnswer = 1089;
inline constexpr int kMailboxAnswerBytes = 25;
inline constexpr std::uint8_t kMailboxPlcText = 0x80;
inline constexpr std::uint8_t mailboxModuleRequest(int position) {
  return static_cast<std::uint8_t>(0x80 | ((position + 3) & 0xFF));
}

// The MAC table: Order61_12 on area 0xBE at the slot number, 7 bytes; the
// MAC address is data bytes 0 to 5 (reply bytes 4 to 9).
inline constexpr int kMacArea = 0xBE;
inline constexpr int kMacReadBytes = 7;

// The parameter word areas of module positions 0, 1 and 2.
inline constexpr int kWordAreaBase = 16064;  // 0x3EC0
inline constexpr int kWordAreaStride = 16;
inline constexpr int kWordAreaWords = 16;
inline constexpr int kPositionsWithWords = 3;

// Words of an area.
inline constexpr int kWordStatus = 0;
inline constexpr int kWordIp = 1;        // 1 to 4, last octet first
inline constexpr int kWordMask = 5;      // 5 to 8
inline constexpr int kWordGateway = 9;   // 9 to 12
inline constexpr int kWordStation = 13;  // low 12 bits
inline constexpr int kWordCommand = 14;
inline constexpr int kParameterWords = 13;  // written from word 1 on
inline constexpr std::uint16_t kCommandTake = 0x0050;
inline constexpr std::uint8_t kCommandTaken = 0xA0;

// Reply bytes: data from byte 4 (Order50, Order61_12); Order40 echoes the
// address in bytes 4 and 5, so its first word starts at byte 6, low byte first.
inline constexpr int kDataOffset = 4;
inline constexpr int kWordDataOffset = 6;

inline constexpr int modulePosition(int group, int slot) { return kSlotsPerGroup * group + slot; }

// The word area of a module position; nothing for positions without one.
inline constexpr std::optional<int> wordAreaBase(int position) {
  if (position < 0 || position >= kPositionsWithWords) return std::nullopt;
  return kWordAreaBase + kWordAreaStride * position;
}

}  // namespace orvane::plc
