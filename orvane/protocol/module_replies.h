#pragma once
// The fields the scan and the refresh take from the replies. Every function
// takes the received bytes as they stand: no header, length, code or check
// byte is examined, and bytes beyond the end of a short reply read as 0.
#include <cstdint>
#include <span>

#include "orvane/protocol/module_record.h"

namespace orvane {

// A discovery reply: bytes 4-9 mac, 10-13 currentIp, 14 runMode, 15-16
// statusFlags (little-endian). No other field is touched.
void takeDiscoveryReply(std::span<const std::uint8_t> reply, ModuleRecord& record);

// ReadSystemInfo: 4-7 firmware, 8-9 PWB, 10-11 PLD, 12-15 boot, 16 switches.
void takeSystemInfoReply(std::span<const std::uint8_t> reply, ModuleVersionInfo& versions);

// ReadBootInfo: 4-7 go to both firmware and boot version, 8-9 PWB, 10
// switches; the PLD version keeps its value.
void takeBootInfoReply(std::span<const std::uint8_t> reply, ModuleVersionInfo& versions);

// ReadBasicSettings: the IDs, name and description (their terminators keep
// their values), address mode, the manual addresses and the addresses in use.
void takeBasicSettingsReply(std::span<const std::uint8_t> reply, ModuleRecord& record);

// Copies the fields that the basic settings reply sets, and nothing else.
void copyBasicSettingsFields(const ModuleRecord& from, ModuleRecord& to);

}  // namespace orvane
