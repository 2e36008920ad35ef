#include "settings_requests.h"

#include <algorithm>

namespace orvane {
namespace {

// Offsets in the WriteBasicSettings payload (frame offset - 10).
constexpr std::size_t kModuleId = 0;
constexpr std::size_t kName = 4;
constexpr std::size_t kDescription = 68;
constexpr std::size_t kAddressMode = 324;
constexpr std::size_t kIpAddress = 325;
constexpr std::size_t kSubnetMask = 329;
constexpr std::size_t kGateway = 333;
static_assert(kName + (kNameBytes - 1) == kDescription);
static_assert(kDescription + (kDescriptionBytes - 1) == kAddressMode);
static_assert(kIpAddress == kAddressMode + 1 && kSubnetMask == kIpAddress + 4);
static_assert(kGateway + 4 == kBasicWritePayloadBytes);
// 4 header bytes, the MAC, the payload and the check byte: 348 bytes.
static_assert(kFramePayloadOffset + kBasicWritePayloadBytes + 1 == 348);

}  // namespace

std::array<std::uint8_t, kBasicWritePayloadBytes> basicSettingsPayload(const ModuleRecord& r) {
  std::array<std::uint8_t, kBasicWritePayloadBytes> p{};
  for (std::size_t i = 0; i < 4; ++i)
    p[kModuleId + i] = static_cast<std::uint8_t>(r.moduleId >> (8 * i));
  // The record's terminator bytes are not part of the frame.
  std::copy_n(r.name.begin(), kNameBytes - 1, p.begin() + kName);
  std::copy_n(r.description.begin(), kDescriptionBytes - 1, p.begin() + kDescription);
  p[kAddressMode] = r.addressMode;
  std::copy(r.ipAddress.begin(), r.ipAddress.end(), p.begin() + kIpAddress);
  std::copy(r.subnetMask.begin(), r.subnetMask.end(), p.begin() + kSubnetMask);
  std::copy(r.gateway.begin(), r.gateway.end(), p.begin() + kGateway);
  return p;
}

bool writeBasicSettings(ModuleLink& link, const ModuleRecord& record) {
  return link.writeRequest(CommandCode::WriteBasicSettings, moduleAddress(record),
                           basicSettingsPayload(record));
}

bool readAdvancedSettings(ModuleLink& link, AdvancedSettings& settings,
                          const std::string& interfaceName) {
  const auto reply =
      link.request(CommandCode::ReadAdvancedSettings, ModuleAddress(settings.mac, interfaceName));
  if (reply) takeAdvancedSettingsReply(*reply, settings);
  return reply.has_value();
}

bool writeAdvancedSettings(ModuleLink& link, const AdvancedSettings& settings,
                           const std::string& interfaceName) {
  return link.writeRequest(CommandCode::WriteAdvancedSettings,
                           ModuleAddress(settings.mac, interfaceName),
                           advancedSettingsPayload(settings));
}

bool readPeerTable(ModuleLink& link, const ModuleAddress& to, std::vector<PeerEntry>& entries) {
  const auto reply = link.request(CommandCode::ReadPeerTable, to);
  if (reply) entries = takePeerTableReply(*reply);
  return reply.has_value();
}

bool writePeerTable(ModuleLink& link, const ModuleAddress& to, std::span<const PeerEntry> entries) {
  const auto payload = peerTablePayload(entries);
  return payload && link.writeRequest(CommandCode::WritePeerTable, to, *payload);
}

bool restoreFactorySettings(ModuleLink& link, const ModuleAddress& to) {
  return link.writeRequest(CommandCode::RestoreFactorySettings, to, {});
}

}  // namespace orvane
