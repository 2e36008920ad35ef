#pragma once
// The boot loader's requests, one function each. Every request is a
// ConfigFrame addressed to the module's MAC; a request succeeds when a reply
// with its command byte arrives within its time-out, and the erase, block,
// verify and restart requests also need reply byte 4 to be 0 (the command
// table's result byte). Multi-byte numbers go little-endian.
//
//   EnterBootLoader    0x0C  11 bytes
//   ReadBootInfo       0xE1  11 bytes
//   ReadSystemInfo     0x09  11 bytes
//   EraseFirmware      0xE3  12 bytes  [10] kind                      3000 ms
//   WriteFirmwareBlock 0xE4  n + 20    [10] kind [11..12] block number
//                                      [13..16] offset [17..18] n [19..] data
//   VerifyFirmware     0xE5  17 bytes  [10] kind [11..14] total [15] check byte
//   RestartModule      0xE6  12 bytes  [10] kind
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "orvane/firmware/firmware_image.h"
#include "orvane/protocol/config_frame.h"
#include "orvane/protocol/module_link.h"

namespace orvane {

// Reply time-outs. The defaults are the modules'; tests and benchmarks
// against a simulator on loopback may shorten the polling ones.
struct BootLoaderTimeouts {
  int replyMs = kReplyTimeoutMs;  // 100 ms
  int eraseMs = kEraseTimeoutMs;  // 3000 ms
};

// The payloads after the MAC.
std::array<std::uint8_t, 1> kindPayload(FirmwareKind kind);
std::vector<std::uint8_t> firmwareBlockPayload(FirmwareKind kind, std::uint16_t number,
                                               std::uint32_t offset,
                                               std::span<const std::uint8_t> data);
std::array<std::uint8_t, 6> verifyPayload(FirmwareKind kind, std::uint32_t total,
                                          std::uint8_t checkByte);

class BootLoaderRequests {
 public:
  explicit BootLoaderRequests(ModuleLink& link, BootLoaderTimeouts timeouts = {})
      : link_(link), timeouts_(timeouts) {}

  bool enterBootLoader(const ModuleAddress& to);
  // The two version reads: the upgrade only needs to know that a reply came.
  // `timeoutMs` lets the polling phases shorten their wait.
  bool readBootInfo(const ModuleAddress& to, int timeoutMs);
  bool readSystemInfo(const ModuleAddress& to, int timeoutMs);
  bool eraseFirmware(const ModuleAddress& to, FirmwareKind kind);
  // `data` is the block as sent: up to 512 bytes, padded to a multiple of 4.
  bool writeFirmwareBlock(const ModuleAddress& to, FirmwareKind kind, std::uint16_t number,
                          std::uint32_t offset, std::span<const std::uint8_t> data);
  bool verifyFirmware(const ModuleAddress& to, FirmwareKind kind, std::uint32_t total,
                      std::uint8_t checkByte);
  bool restartModule(const ModuleAddress& to, FirmwareKind kind);

  const BootLoaderTimeouts& timeouts() const { return timeouts_; }

 private:
  // The received reply length, or nothing.
  std::optional<std::size_t> exchange(CommandCode code, const ModuleAddress& to,
                                      std::span<const std::uint8_t> payload, int timeoutMs,
                                      std::span<std::uint8_t> reply);
  // A reply came and, as the command table says, reports success.
  bool succeeded(CommandCode code, const ModuleAddress& to, std::span<const std::uint8_t> payload,
                 int timeoutMs);

  ModuleLink& link_;
  BootLoaderTimeouts timeouts_;
};

}  // namespace orvane
