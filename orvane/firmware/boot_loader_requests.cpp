#include "boot_loader_requests.h"

namespace orvane {
namespace {

void putLittleEndian(std::uint8_t* at, std::uint32_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::array<std::uint8_t, 1> kindPayload(FirmwareKind kind) {
  return {static_cast<std::uint8_t>(kind)};
}

std::vector<std::uint8_t> firmwareBlockPayload(FirmwareKind kind, std::uint16_t number,
                                               std::uint32_t offset,
                                               std::span<const std::uint8_t> data) {
  // Frame offsets 10, 11, 13 and 17 less the 10 bytes before the payload.
  std::vector<std::uint8_t> payload(9 + data.size(), 0);
  payload[0] = static_cast<std::uint8_t>(kind);
  putLittleEndian(&payload[1], number, 2);
  putLittleEndian(&payload[3], offset, 4);
  putLittleEndian(&payload[7], static_cast<std::uint32_t>(data.size()), 2);
  std::copy(data.begin(), data.end(), payload.begin() + 9);
  return payload;
}

std::array<std::uint8_t, 6> verifyPayload(FirmwareKind kind, std::uint32_t total,
                                          std::uint8_t checkByte) {
  std::array<std::uint8_t, 6> payload{};
  payload[0] = static_cast<std::uint8_t>(kind);
  putLittleEndian(&payload[1], total, 4);
  payload[5] = checkByte;
  return payload;
}

std::optional<std::size_t> BootLoaderRequests::exchange(CommandCode code, const ModuleAddress& to,
                                                        std::span<const std::uint8_t> payload,
                                                        int timeoutMs,
                                                        std::span<std::uint8_t> reply) {
  const auto frame = buildConfigFrame(code, to.mac, payload);
  if (!frame) return std::nullopt;
  return link_.exchangeFrame(*frame, reply, timeoutMs, to.interfaceName);
}

bool BootLoaderRequests::succeeded(CommandCode code, const ModuleAddress& to,
                                   std::span<const std::uint8_t> payload, int timeoutMs) {
  std::array<std::uint8_t, kReplyCapacity> reply{};
  const auto length = exchange(code, to, payload, timeoutMs, reply);
  return length && replySucceeded(code, std::span<const std::uint8_t>(reply).first(*length));
}

bool BootLoaderRequests::enterBootLoader(const ModuleAddress& to) {
  return succeeded(CommandCode::EnterBootLoader, to, {}, timeouts_.replyMs);
}

bool BootLoaderRequests::readBootInfo(const ModuleAddress& to, int timeoutMs) {
  return succeeded(CommandCode::ReadBootInfo, to, {}, timeoutMs);
}

bool BootLoaderRequests::readSystemInfo(const ModuleAddress& to, int timeoutMs) {
  return succeeded(CommandCode::ReadSystemInfo, to, {}, timeoutMs);
}

bool BootLoaderRequests::eraseFirmware(const ModuleAddress& to, FirmwareKind kind) {
  return succeeded(CommandCode::EraseFirmware, to, kindPayload(kind), timeouts_.eraseMs);
}

bool BootLoaderRequests::writeFirmwareBlock(const ModuleAddress& to, FirmwareKind kind,
                                            std::uint16_t number, std::uint32_t offset,
                                            std::span<const std::uint8_t> data) {
  const auto payload = firmwareBlockPayload(kind, number, offset, data);
  return succeeded(CommandCode::WriteFirmwareBlock, to, payload, timeouts_.replyMs);
}

bool BootLoaderRequests::verifyFirmware(const ModuleAddress& to, FirmwareKind kind,
                                        std::uint32_t total, std::uint8_t checkByte) {
  return succeeded(CommandCode::VerifyFirmware, to, verifyPayload(kind, total, checkByte),
                   timeouts_.replyMs);
}

bool BootLoaderRequests::restartModule(const ModuleAddress& to, FirmwareKind kind) {
  return succeeded(CommandCode::RestartModule, to, kindPayload(kind), timeouts_.replyMs);
}

}  // namespace orvane
