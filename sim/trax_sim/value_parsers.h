#pragma once
// Reading the values of a scenario: versions, addresses, numbers, flags and
// Chinese text (UTF-8 in the file, code page 936 in the module).
#include <cstdint>
#include <initializer_list>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "module_state.h"

namespace trax_sim {

// Each throws std::runtime_error naming `what` when the value does not fit.
// An object whose keys are all `known`: typing mistakes must not pass silently.
void checkKeys(const nlohmann::json& object, std::initializer_list<const char*> known, const std::string& what);
Version4 parseVersion4(const std::string& text, const std::string& what);  // "4.1.0.3"
Version2 parseVersion2(const std::string& text, const std::string& what);  // "1.02"
Ipv4 parseIp(const std::string& text, const std::string& what);            // "192.168.10.5"
Mac parseMacValue(const std::string& text, const std::string& what);

// An unsigned integer from a JSON number or a text ("0x11", "17"), within `max`.
std::uint64_t parseUnsigned(const nlohmann::json& value, std::uint64_t max, const std::string& what);
// The switch byte: a number or eight binary digits, bit 7 first ("00010000").
std::uint8_t parseSwitchByte(const nlohmann::json& value, const std::string& what);
// RunMode: a number or "unknown", "bootloader", "system".
std::uint8_t parseRunMode(const nlohmann::json& value, const std::string& what);
// AddressMode: "auto" (0), "manual" (1) or the number.
std::uint8_t parseAddressMode(const nlohmann::json& value, const std::string& what);
// Peer kind: "TRAX" (2), "Modbus" (1) or the number.
std::uint8_t parsePeerKind(const nlohmann::json& value, const std::string& what);

// UTF-8 text stored as code page 936 in a field of `N` bytes (zero-filled).
template <std::size_t N>
std::array<std::uint8_t, N> gbkField(const std::string& utf8, const std::string& what);

std::string versionText(const Version4& v);  // "4.1.0.3"

}  // namespace trax_sim
