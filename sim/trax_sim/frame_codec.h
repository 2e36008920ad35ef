#pragma once
// The module protocol's frame as a module sees it: checking a request that
// arrived and building the replies that go back.
//
// Frame layout: 0xAA, 16-bit length (little-endian, header through check
// byte), command code, for every command but discovery the 6-byte MAC of the
// target module, the payload, and an XOR check byte over everything before it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace trax_sim {

using Bytes = std::vector<std::uint8_t>;
using Mac = std::array<std::uint8_t, 6>;

inline constexpr std::uint8_t kFrameHeader = 0xAA;
inline constexpr std::size_t kAddressedHeaderSize = 10;  // header, length, code, MAC

// Command codes of the module protocol.
enum Command : std::uint8_t {
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

// Commands whose reply carries a result byte (0 success) at offset 4.
bool isResultCommand(std::uint8_t code);

std::uint8_t xorOf(std::span<const std::uint8_t> bytes);

// Why a datagram is not a request a module acts upon.
enum class FrameError { None, TooShort, BadHeader, LengthMismatch, BadCheckByte };
const char* frameErrorText(FrameError error);

struct Request {
  std::uint8_t code = 0;
  std::optional<Mac> mac;             // absent for DiscoverModules
  std::span<const std::uint8_t> payload;  // bytes after the MAC, before the check byte
  std::size_t length = 0;             // whole frame
};

// Checks header, length field against the datagram size and the check byte.
// The returned payload points into `datagram`.
FrameError parseRequest(std::span<const std::uint8_t> datagram, Request& out);

// A reply: header, length, `code`, `payload`, check byte.
Bytes buildReply(std::uint8_t code, std::span<const std::uint8_t> payload);
// A reply to a write command: the one result byte as payload.
Bytes buildResultReply(std::uint8_t code, std::uint8_t result);

// Rewrites the length field and the check byte after a reply was changed.
void sealFrame(Bytes& frame);

// "AA 05 00 01 AE": upper-case hex pairs separated by single spaces.
std::string hexText(std::span<const std::uint8_t> bytes);

// "00-11-22-33-44-55", and its parse (also accepts '.' or ':' separators).
std::string macText(const Mac& mac);
std::optional<Mac> parseMac(const std::string& text);

// Little-endian helpers for fixed offsets.
void putU16(Bytes& out, std::size_t offset, std::uint16_t value);
void putU32(Bytes& out, std::size_t offset, std::uint32_t value);
std::uint16_t getU16(std::span<const std::uint8_t> in, std::size_t offset);
std::uint32_t getU32(std::span<const std::uint8_t> in, std::size_t offset);

}  // namespace trax_sim
