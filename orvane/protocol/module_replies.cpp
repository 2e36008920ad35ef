#include "module_replies.h"

#include <algorithm>

#include "orvane/protocol/config_frame.h"
#include "orvane/protocol/reply_reader.h"

namespace orvane {
namespace {

// Offsets of the ReadBasicSettings reply.
constexpr std::size_t kFixedId = 4;
constexpr std::size_t kModuleId = 5;
constexpr std::size_t kName = 9;
constexpr std::size_t kDescription = 73;
constexpr std::size_t kAddressMode = 329;
constexpr std::size_t kIpAddress = 330;
constexpr std::size_t kSubnetMask = 334;
constexpr std::size_t kGateway = 338;
constexpr std::size_t kCurrentIp = 342;
constexpr std::size_t kCurrentMask = 346;
constexpr std::size_t kCurrentGateway = 350;
static_assert(kName + kNameBytes - 1 == kDescription);
static_assert(kDescription + kDescriptionBytes - 1 == kAddressMode);
static_assert(kCurrentGateway + 4 <= kReplyCapacity);

constexpr std::size_t kSystemInfoEnd = 17;  // switch byte at 16
static_assert(kSystemInfoEnd <= kReplyCapacity);

}  // namespace

void takeDiscoveryReply(std::span<const std::uint8_t> reply, ModuleRecord& record) {
  const ReplyReader r(reply);
  r.copy(4, std::span(record.mac));
  r.copy(10, std::span(record.currentIp));
  record.runMode = r.u8(14);
  record.statusFlags = r.u16le(15);
}

void takeSystemInfoReply(std::span<const std::uint8_t> reply, ModuleVersionInfo& versions) {
  const ReplyReader r(reply);
  r.copy(4, std::span(versions.firmwareVersion));
  r.copy(8, std::span(versions.pwbVersion));
  r.copy(10, std::span(versions.pldVersion));
  r.copy(12, std::span(versions.bootVersion));
  versions.switchByte = r.u8(kSystemInfoEnd - 1);
}

void takeBootInfoReply(std::span<const std::uint8_t> reply, ModuleVersionInfo& versions) {
  const ReplyReader r(reply);
  r.copy(4, std::span(versions.firmwareVersion));
  r.copy(4, std::span(versions.bootVersion));
  r.copy(8, std::span(versions.pwbVersion));
  versions.switchByte = r.u8(10);
}

void takeBasicSettingsReply(std::span<const std::uint8_t> reply, ModuleRecord& record) {
  const ReplyReader r(reply);
  record.fixedId = r.u8(kFixedId);
  record.moduleId = r.u32le(kModuleId);
  r.copy(kName, std::span(record.name).first(kNameBytes - 1));
  r.copy(kDescription, std::span(record.description).first(kDescriptionBytes - 1));
  record.addressMode = r.u8(kAddressMode);
  r.copy(kIpAddress, std::span(record.ipAddress));
  r.copy(kSubnetMask, std::span(record.subnetMask));
  r.copy(kGateway, std::span(record.gateway));
  r.copy(kCurrentIp, std::span(record.currentIp));
  r.copy(kCurrentMask, std::span(record.currentMask));
  r.copy(kCurrentGateway, std::span(record.currentGateway));
}

void copyBasicSettingsFields(const ModuleRecord& from, ModuleRecord& to) {
  to.fixedId = from.fixedId;
  to.moduleId = from.moduleId;
  std::copy(from.name.begin(), from.name.end() - 1, to.name.begin());
  std::copy(from.description.begin(), from.description.end() - 1, to.description.begin());
  to.addressMode = from.addressMode;
  to.ipAddress = from.ipAddress;
  to.subnetMask = from.subnetMask;
  to.gateway = from.gateway;
  to.currentIp = from.currentIp;
  to.currentMask = from.currentMask;
  to.currentGateway = from.currentGateway;
}

}  // namespace orvane
