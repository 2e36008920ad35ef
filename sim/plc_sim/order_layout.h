#pragma once
// The shapes of the requests as the PLC receives them: how long a request
// is (known from its first bytes, since data may hold any byte value) and
// whether a complete one is well formed.
#include <cstddef>
#include <cstdint>
#include <span>

namespace plc_sim {

inline constexpr std::uint8_t kSoh = 0x01;
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kEnq = 0x05;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kEtb = 0x17;
inline constexpr std::uint8_t kLeadK = 0x4B;
inline constexpr std::uint8_t kLeadBang = 0x21;

enum class LengthState { NeedMore, Known, UnknownCommand };

struct RequestLength {
  LengthState state;
  std::size_t length = 0;
};

// `prefix` starts with SOH.
RequestLength requestLength(std::span<const std::uint8_t> prefix);

// SOH, 0x01 at offset 2, ETB before the last byte, and the check byte (XOR
// of everything between SOH and ETB) right.
bool requestIsWellFormed(std::span<const std::uint8_t> request);

std::uint8_t xorOf(std::span<const std::uint8_t> bytes);

}  // namespace plc_sim
