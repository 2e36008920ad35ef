#pragma once
// The 28-byte serial device control block in the Windows DCB layout. Corvel
// keeps the block it applied in the record (offset kDcb) so that a driver
// written for the Windows build finds the same bytes there; the termios set-up
// is derived from those bytes, never from the record fields directly.
#include <array>
#include <cstddef>
#include <cstdint>

#include "common/tag_pparam.h"

namespace corvel {

using DcbBytes = std::array<std::uint8_t, pparam::kDcbSize>;

// Byte offsets inside the block.
inline constexpr std::size_t kDcbLength = 0;    // u32, always 28
inline constexpr std::size_t kDcbBaudRate = 4;  // u32, baud
inline constexpr std::size_t kDcbFlags = 8;     // u32 bit field, below
inline constexpr std::size_t kDcbXonLim = 14;   // u16
inline constexpr std::size_t kDcbXoffLim = 16;  // u16
inline constexpr std::size_t kDcbByteSize = 18; // u8
inline constexpr std::size_t kDcbParity = 19;   // u8: 0 none, 1 odd, 2 even, 3 mark, 4 space
inline constexpr std::size_t kDcbStopBits = 20; // u8: 0 one, 1 one and a half, 2 two
static_assert(kDcbStopBits + 8 == pparam::kDcbSize, "five character fields and a reserved word follow");

// Bits of the flags word.
inline constexpr std::uint32_t kFlagBinary = 1u << 0;
inline constexpr std::uint32_t kFlagParity = 1u << 1;
inline constexpr std::uint32_t kFlagOutxCtsFlow = 1u << 2;
inline constexpr std::uint32_t kFlagOutxDsrFlow = 1u << 3;
inline constexpr int kDtrControlShift = 4;  // 2 bits
inline constexpr std::uint32_t kFlagDsrSensitivity = 1u << 6;
inline constexpr std::uint32_t kFlagOutX = 1u << 8;
inline constexpr std::uint32_t kFlagInX = 1u << 9;
inline constexpr std::uint32_t kFlagNull = 1u << 11;
inline constexpr int kRtsControlShift = 12;  // 2 bits

inline constexpr std::uint8_t kNoParity = 0, kOddParity = 1, kEvenParity = 2, kMarkParity = 3,
                              kSpaceParity = 4;
inline constexpr std::uint8_t kOneStopBit = 0, kOne5StopBits = 1, kTwoStopBits = 2;
inline constexpr unsigned kDtrDisable = 0, kDtrEnable = 1;
inline constexpr unsigned kRtsDisable = 0, kRtsEnable = 1, kRtsHandshake = 2, kRtsToggle = 3;

// Baud rate of a record's baudCode: 0-5 are 1200 to 38400, anything else 9600.
std::uint32_t baudRateOf(std::uint8_t baudCode);

// The block built from zero out of the record's line settings.
DcbBytes buildDcb(const tagPPARAM& record);

// What the termios set-up needs, read back from a block.
struct LineSettings {
  std::uint32_t baudRate = 0;
  std::uint8_t byteSize = 0;
  std::uint8_t parity = kNoParity;
  std::uint8_t stopBits = kOneStopBit;
  bool checkParity = false;  // fParity: report parity errors on input
  bool ctsOutputFlow = false;
  bool xonXoffOut = false;
  bool xonXoffIn = false;
  unsigned dtrControl = kDtrDisable;
  unsigned rtsControl = kRtsEnable;
};
LineSettings decodeDcb(const DcbBytes& dcb);

}  // namespace corvel
