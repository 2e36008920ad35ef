#pragma once
// Small helpers over the caller's record used by every Corvel function.
#include <cstdint>
#include <optional>

#include "common/tag_pparam.h"
#include "corvel/corvel.h"
#include "corvel/serial_device.h"

namespace corvel {

inline constexpr int kClosedHandle = -1;
inline constexpr short kFailed = -1;

inline int handleOf(const tagPPARAM& p) { return pparam::i32(p, pparam::kHandle); }
inline void setHandle(tagPPARAM& p, int fd) { pparam::setI32(p, pparam::kHandle, fd); }
inline bool isOpen(const tagPPARAM& p) { return handleOf(p) != kClosedHandle; }
inline bool isSerialPort(std::uint8_t port) { return port >= 1 && port <= 4; }

inline void storeOsError(tagPPARAM& p, int error) {
  pparam::setU32(p, pparam::kOsError, static_cast<std::uint32_t>(error));
}

// Stores a library error code and gives the failure result.
inline short fail(tagPPARAM& p, std::uint16_t code) {
  pparam::setU16(p, pparam::kErrorCode, code);
  return kFailed;
}

// The descriptor of the record's port when it is one this library opened and
// still holds; otherwise the closed-port code is stored and nothing is
// touched. A Windows handle of 0 or of a closed port fails harmlessly; a
// descriptor number does not: 0 is standard input, and a closed number is
// soon reused by another file of the caller's.
inline std::optional<int> ownPortOf(tagPPARAM& p) {
  const int fd = handleOf(p);
  if (device::isOwnPort(fd)) return fd;
  fail(p, CORVEL_ERR_BAD_PORT);
  return std::nullopt;
}

}  // namespace corvel
