#pragma once
// One module of the view's module table, keyed by its MAC address, and the
// version block inside it. Text fields hold GBK bytes with a terminator, as
// the modules carry them; the windows convert at the boundary.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace orvane {

using MacAddress = std::array<std::uint8_t, 6>;
using Ipv4Bytes = std::array<std::uint8_t, 4>;  // first octet first

inline constexpr std::uint8_t kRunModeUnknown = 0;
inline constexpr std::uint8_t kRunModeBootLoader = 1;
inline constexpr std::uint8_t kRunModeSystemProgram = 2;

// statusFlags on the network route (on the serial route it holds a status code).
inline constexpr std::uint16_t kFlagMacError = 0x01;
inline constexpr std::uint16_t kFlagIpConflict = 0x02;
inline constexpr std::uint16_t kFlagFpgaError1 = 0x04;
inline constexpr std::uint16_t kFlagFpgaError2 = 0x08;
inline constexpr std::uint16_t kFlagManualReset = 0x10;

inline constexpr std::size_t kNameBytes = 65;         // 64 bytes and a terminator
inline constexpr std::size_t kDescriptionBytes = 257;  // 256 bytes and a terminator

// Versions keep the byte order of the wire: byte 3 of a 4-byte version is the
// first number shown, byte 1 of a 2-byte version the number before the point.
struct ModuleVersionInfo {
  std::array<std::uint8_t, 4> firmwareVersion{};
  std::array<std::uint8_t, 2> pwbVersion{};
  std::array<std::uint8_t, 2> pldVersion{};
  std::array<std::uint8_t, 4> bootVersion{};
  std::uint8_t switchByte = 0;

  friend bool operator==(const ModuleVersionInfo&, const ModuleVersionInfo&) = default;
};

// A default-constructed record is a reset record: every field 0 except
// addressMode, which is 1 (manual).
struct ModuleRecord {
  MacAddress mac{};
  std::uint8_t fixedId = 0;  // 0: none, moduleId applies
  std::uint32_t moduleId = 0;
  std::array<char, kNameBytes> name{};
  std::array<char, kDescriptionBytes> description{};
  std::uint8_t addressMode = 1;  // 0 automatic, 1 manual
  Ipv4Bytes ipAddress{};
  Ipv4Bytes subnetMask{};
  Ipv4Bytes gateway{};
  Ipv4Bytes currentIp{};
  Ipv4Bytes currentMask{};
  Ipv4Bytes currentGateway{};
  std::uint8_t runMode = kRunModeUnknown;
  std::uint8_t serialGroup = 0;  // the serial route's two bytes, group first
  std::uint8_t serialSlot = 0;
  std::uint16_t statusFlags = 0;
  ModuleVersionInfo versions;
  // The network interface the module answered the discovery on; empty when a
  // single destination is set (or on the serial route). With the MAC it names
  // the module: one module seen on two interfaces is two records.
  std::string interfaceName;

  friend bool operator==(const ModuleRecord&, const ModuleRecord&) = default;
};

// Where a request goes: the module's MAC, and the interface it answered on.
// Without an interface the request goes where a MAC alone sends it (see
// ModuleLink).
struct ModuleAddress {
  MacAddress mac{};
  std::string interfaceName;

  ModuleAddress() = default;
  ModuleAddress(const MacAddress& mac) : mac(mac) {}  // NOLINT: a bare MAC is an address
  ModuleAddress(const MacAddress& mac, std::string interfaceName)
      : mac(mac), interfaceName(std::move(interfaceName)) {}
  friend bool operator==(const ModuleAddress&, const ModuleAddress&) = default;
};

inline ModuleAddress moduleAddress(const ModuleRecord& record) {
  return {record.mac, record.interfaceName};
}

inline void resetRecord(ModuleRecord& record) { record = ModuleRecord{}; }

// Hands a module to a dialog and takes it back: every field but runMode, so a
// copy taken back never changes the target's run mode.
inline void settingsCopy(ModuleRecord& to, const ModuleRecord& from) {
  const auto runMode = to.runMode;
  to = from;
  to.runMode = runMode;
}

// The GBK bytes of a text field up to its terminator; a field without one
// ends at the end of the array.
template <std::size_t N>
std::string_view textField(const std::array<char, N>& field) {
  const std::string_view all(field.data(), N);
  return all.substr(0, all.find('\0'));
}

// Stores GBK bytes cut to N-1 bytes; every byte after them is zeroed, so a
// shorter text leaves no trace of a longer one.
template <std::size_t N>
void setTextField(std::array<char, N>& field, std::string_view gbk) {
  field.fill('\0');
  gbk.copy(field.data(), N - 1);
}

std::string nameUtf8(const ModuleRecord& record);
std::string descriptionUtf8(const ModuleRecord& record);

}  // namespace orvane
