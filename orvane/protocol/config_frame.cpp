#include "config_frame.h"

#include <algorithm>
#include <array>

namespace orvane {
namespace {

using C = CommandCode;
constexpr std::array<CommandInfo, 15> kCommands{{
    {C::DiscoverModules, "DiscoverModules", 0, false, kDiscoveryReplyCapacity, kReplyTimeoutMs, false},
    {C::WriteBasicSettings, "WriteBasicSettings", 337, false, kWriteReplyCapacity, kReplyTimeoutMs, true},
    {C::WriteAdvancedSettings, "WriteAdvancedSettings", 17, false, kWriteReplyCapacity, kReplyTimeoutMs, true},
    {C::WritePeerTable, "WritePeerTable", 0, true, kWriteReplyCapacity, kReplyTimeoutMs, true},
    {C::ReadBasicSettings, "ReadBasicSettings", 0, false, kReplyCapacity, kReplyTimeoutMs, false},
    {C::ReadAdvancedSettings, "ReadAdvancedSettings", 0, false, kReplyCapacity, kReplyTimeoutMs, false},
    {C::ReadPeerTable, "ReadPeerTable", 0, false, kReplyCapacity, kReplyTimeoutMs, false},
    {C::ReadSystemInfo, "ReadSystemInfo", 0, false, kReplyCapacity, kReplyTimeoutMs, false},
    {C::RestoreFactorySettings, "RestoreFactorySettings", 0, false, kReplyCapacity, kReplyTimeoutMs, true},
    {C::EnterBootLoader, "EnterBootLoader", 0, false, kReplyCapacity, kReplyTimeoutMs, false},
    {C::ReadBootInfo, "ReadBootInfo", 0, false, kReplyCapacity, kReplyTimeoutMs, false},
    {C::EraseFirmware, "EraseFirmware", 1, false, kReplyCapacity, kEraseTimeoutMs, true},
    {C::WriteFirmwareBlock, "WriteFirmwareBlock", 0, true, kReplyCapacity, kReplyTimeoutMs, true},
    {C::VerifyFirmware, "VerifyFirmware", 6, false, kReplyCapacity, kReplyTimeoutMs, true},
    {C::RestartModule, "RestartModule", 1, false, kReplyCapacity, kReplyTimeoutMs, true},
}};

constexpr std::size_t kPeerEntryBytes = 12;
constexpr std::size_t kMaxPeerEntries = 30;
constexpr std::size_t kFirmwareBlockHeader = 9;  // kind, block number, offset, length

bool payloadFits(const CommandInfo& info, std::size_t size) {
  if (!info.variablePayload) return size == info.fixedPayload;
  if (info.code == C::WritePeerTable)
    return size >= 1 && (size - 1) % kPeerEntryBytes == 0 &&
           (size - 1) / kPeerEntryBytes <= kMaxPeerEntries;
  return size >= kFirmwareBlockHeader && size - kFirmwareBlockHeader <= kMaxFirmwareBlock;
}

}  // namespace

const CommandInfo* commandInfo(std::uint8_t code) {
  for (const auto& info : kCommands)
    if (static_cast<std::uint8_t>(info.code) == code) return &info;
  return nullptr;
}

const CommandInfo& commandInfo(CommandCode code) {
  return *commandInfo(static_cast<std::uint8_t>(code));
}

bool replySucceeded(CommandCode code, std::span<const std::uint8_t> reply) {
  if (!commandInfo(code).resultByte) return true;
  return reply.size() > kReplyResultOffset && reply[kReplyResultOffset] == 0;
}

std::uint8_t xorCheck(std::span<const std::uint8_t> bytes) {
  std::uint8_t check = 0;
  for (const auto b : bytes) check ^= b;
  return check;
}

std::optional<std::vector<std::uint8_t>> buildConfigFrame(CommandCode code, const MacAddress& mac,
                                                          std::span<const std::uint8_t> payload) {
  const auto* info = commandInfo(static_cast<std::uint8_t>(code));
  if (!info || !payloadFits(*info, payload.size())) return std::nullopt;
  const bool addressed = code != C::DiscoverModules;
  const std::size_t length = 4 + (addressed ? mac.size() : 0) + payload.size() + 1;
  std::vector<std::uint8_t> frame(length, 0);
  frame[0] = kFrameHeader;
  frame[1] = static_cast<std::uint8_t>(length & 0xFF);
  frame[2] = static_cast<std::uint8_t>(length >> 8);
  frame[kFrameCodeOffset] = static_cast<std::uint8_t>(code);
  std::size_t at = kFrameMacOffset;
  if (addressed) {
    for (const auto b : mac) frame[at++] = b;
  }
  for (const auto b : payload) frame[at++] = b;
  frame[at] = xorCheck(std::span<const std::uint8_t>(frame).first(at));
  return frame;
}

std::optional<MacAddress> frameMac(std::span<const std::uint8_t> frame) {
  if (frame.size() < kFramePayloadOffset) return std::nullopt;
  MacAddress mac{};
  std::copy_n(frame.begin() + kFrameMacOffset, mac.size(), mac.begin());
  return mac;
}

std::vector<std::uint8_t> discoveryFrame() {
  return *buildConfigFrame(C::DiscoverModules, MacAddress{});
}

}  // namespace orvane
