/* The communication parameter record shared by the serial port library
 * (Corvel) and Tessor's Modbus TCP layer (Quorra). Callers own 224 bytes and
 * pass their address to every call; each library reads and writes the fields
 * it uses at fixed byte offsets, little-endian. The record is never cast to a
 * struct with members: the accessors below read and write byte by byte. */
#ifndef TRAX_COMMON_TAG_PPARAM_H
#define TRAX_COMMON_TAG_PPARAM_H

#define TAG_PPARAM_SIZE 224

typedef struct tagPPARAM {
  unsigned char raw[TAG_PPARAM_SIZE];
} tagPPARAM;

#ifdef __cplusplus
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace pparam {

// Fields of the serial port library.
inline constexpr std::size_t kPort = 2;             // u8: 0 internal, 1-4 COM1-4, above 4 Ethernet
inline constexpr std::size_t kHandle = 4;           // i32: open port (a descriptor here), -1 closed
inline constexpr std::size_t kDcb = 8;              // 28 bytes: serial control block last applied
inline constexpr std::size_t kDcbSize = 28;
inline constexpr std::size_t kOsError = 36;         // u32: platform error of the last failed call
inline constexpr std::size_t kBaudCode = 40;        // u8
inline constexpr std::size_t kParityCode = 41;      // u8
inline constexpr std::size_t kStopBitsCode = 42;    // u8
inline constexpr std::size_t kDataBits = 43;        // u8
inline constexpr std::size_t kInterfaceType = 44;   // u8
inline constexpr std::size_t kRs485Mode = 46;       // u8
inline constexpr std::size_t kRtsToggle = 47;       // u8
inline constexpr std::size_t kCtsFlow = 48;         // u8
inline constexpr std::size_t kOpenDefaultByte = 50; // u8
inline constexpr std::size_t kCheckWord = 58;       // u16

// Fields both libraries give the same meaning.
inline constexpr std::size_t kTimeoutMs = 52;       // u16: (read/response) time-out in ms
inline constexpr std::size_t kErrorCode = 62;       // u16: error code of the last failure

// Fields of the Modbus TCP layer.
inline constexpr std::size_t kPollingMs = 54;       // u16
inline constexpr std::size_t kStation = 60;         // u16: unit identifier
inline constexpr std::size_t kMode72 = 72;          // u8: Tessor sets 2
inline constexpr std::size_t kServerAddress = 164;  // u32: IPv4, network byte order
inline constexpr std::size_t kTcpPort = 174;        // u16: plain little-endian
inline constexpr std::size_t kFlags176 = 176;       // 5 x u8: 0x40 0x40 0 0 0
inline constexpr std::size_t kBlockPointer = 212;   // pointer to a caller-allocated 4-byte block
inline constexpr std::size_t kRetries = 220;        // u8

static_assert(sizeof(tagPPARAM) == TAG_PPARAM_SIZE, "the record is exactly 224 bytes");
static_assert(kDcb + kDcbSize == kOsError, "the control block ends where osError starts");
static_assert(kBlockPointer + sizeof(void*) <= kRetries, "the block pointer fits before retries");
static_assert(kRetries < TAG_PPARAM_SIZE, "every field lies inside the record");

inline std::uint8_t u8(const tagPPARAM& r, std::size_t at) { return r.raw[at]; }
inline void setU8(tagPPARAM& r, std::size_t at, std::uint8_t v) { r.raw[at] = v; }

inline std::uint16_t u16(const tagPPARAM& r, std::size_t at) {
  return static_cast<std::uint16_t>(r.raw[at] | (r.raw[at + 1] << 8));
}
inline void setU16(tagPPARAM& r, std::size_t at, std::uint16_t v) {
  r.raw[at] = static_cast<std::uint8_t>(v);
  r.raw[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline std::uint32_t u32(const tagPPARAM& r, std::size_t at) {
  return static_cast<std::uint32_t>(r.raw[at]) | (static_cast<std::uint32_t>(r.raw[at + 1]) << 8) |
         (static_cast<std::uint32_t>(r.raw[at + 2]) << 16) |
         (static_cast<std::uint32_t>(r.raw[at + 3]) << 24);
}
inline void setU32(tagPPARAM& r, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) r.raw[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::int32_t i32(const tagPPARAM& r, std::size_t at) {
  return static_cast<std::int32_t>(u32(r, at));
}
inline void setI32(tagPPARAM& r, std::size_t at, std::int32_t v) {
  setU32(r, at, static_cast<std::uint32_t>(v));
}

inline void* pointer(const tagPPARAM& r, std::size_t at) {
  void* p = nullptr;
  std::memcpy(&p, r.raw + at, sizeof p);
  return p;
}
inline void setPointer(tagPPARAM& r, std::size_t at, void* p) {
  std::memcpy(r.raw + at, &p, sizeof p);
}

}  // namespace pparam
#endif /* __cplusplus */

#endif /* TRAX_COMMON_TAG_PPARAM_H */
