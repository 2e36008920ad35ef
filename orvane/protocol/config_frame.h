#pragma once
// ConfigFrame: one UDP request or reply of the module protocol.
//
//   0        0xAA
//   1..2     frame length, header through check byte, little-endian
//   3        command code (a reply repeats the code of its request)
//   4..9     target MAC (every request but DiscoverModules)
//   10..     payload
//   last     check byte: XOR of every byte before it
//
// Replies are matched by byte 3 only; their header, length and check byte are
// not examined.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "orvane/protocol/module_record.h"

namespace orvane {

enum class CommandCode : std::uint8_t {
  DiscoverModules = 0x01,
  WriteBasicSettings = 0x02,
  WriteAdvancedSettings = 0x03,
  WritePeerTable = 0x04,
  ReadBasicSettings = 0x06,
  ReadAdvancedSettings = 0x07,
  ReadPeerTable = 0x08,
  ReadSystemInfo = 0x09,
  RestoreFactorySettings = 0x0A,
  EnterBootLoader = 0x0C,
  ReadBootInfo = 0xE1,
  EraseFirmware = 0xE3,
  WriteFirmwareBlock = 0xE4,
  VerifyFirmware = 0xE5,
  RestartModule = 0xE6,
};

inline constexpr std::uint8_t kFrameHeader = 0xAA;
inline constexpr std::size_t kFrameCodeOffset = 3;
inline constexpr std::size_t kFrameMacOffset = 4;
inline constexpr std::size_t kFramePayloadOffset = 10;
inline constexpr std::size_t kReplyResultOffset = 4;  // write replies: 0 is success
inline constexpr std::size_t kMaxFirmwareBlock = 512;
inline constexpr std::size_t kMaxFrameLength = 20 + kMaxFirmwareBlock;  // 532

// Receive buffers: a longer datagram counts as a failed receive.
inline constexpr std::size_t kWriteReplyCapacity = 7;
inline constexpr std::size_t kDiscoveryReplyCapacity = 100;
inline constexpr std::size_t kReplyCapacity = 512;

inline constexpr int kReplyTimeoutMs = 100;
inline constexpr int kEraseTimeoutMs = 3000;

// What the command table says about one code.
struct CommandInfo {
  CommandCode code;
  std::string_view name;
  std::size_t fixedPayload;  // payload bytes after the MAC, when the length is fixed
  bool variablePayload;      // WritePeerTable and WriteFirmwareBlock
  std::size_t replyCapacity;
  int timeoutMs;
  bool resultByte;  // success also needs reply byte 4 == 0
};

// The table entry of a code; nothing for 0x05, 0x0B and every code not sent.
const CommandInfo* commandInfo(std::uint8_t code);
const CommandInfo& commandInfo(CommandCode code);

// Whether a reply matched to its request reports success, as the table says:
// any reply for a command without a result byte; for the others reply byte 4
// must be there and be 0. The one place that decides it for every request.
bool replySucceeded(CommandCode code, std::span<const std::uint8_t> reply);

std::uint8_t xorCheck(std::span<const std::uint8_t> bytes);

// The one frame builder for every command of the table. DiscoverModules
// ignores `mac` and gives AA 05 00 01 AE. Fails (nothing) when the payload
// length does not fit the code: fixed lengths must match, a peer table needs
// 1 + 12 x n bytes (n <= 30), a firmware block 9 + n bytes (n <= 512).
std::optional<std::vector<std::uint8_t>> buildConfigFrame(
    CommandCode code, const MacAddress& mac, std::span<const std::uint8_t> payload = {});

std::vector<std::uint8_t> discoveryFrame();

// The MAC of bytes 4..9 (the target of a request, the sender of a discovery
// reply); nothing for a frame too short to hold it.
std::optional<MacAddress> frameMac(std::span<const std::uint8_t> frame);

}  // namespace orvane
