#pragma once
// Everything one simulated module keeps for the run: identity, versions,
// settings, peer table, factory values, boot loader and firmware areas,
// timing and injected faults.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fault_rules.h"
#include "frame_codec.h"
#include "modbus_tables.h"

namespace trax_sim {

using Ipv4 = std::array<std::uint8_t, 4>;      // first octet first
using Version4 = std::array<std::uint8_t, 4>;  // byte 3 is shown first
using Version2 = std::array<std::uint8_t, 2>;  // byte 1 is shown first
using PeerEntry = std::array<std::uint8_t, 12>;

inline constexpr std::uint8_t kRunModeBootLoader = 1;
inline constexpr std::uint8_t kRunModeSystem = 2;
inline constexpr std::uint16_t kStatusManualReset = 0x10;
inline constexpr std::size_t kNameBytes = 64;
inline constexpr std::size_t kDescriptionBytes = 256;
inline constexpr std::size_t kMaxWrittenPeers = 30;
inline constexpr std::size_t kMaxStoredPeers = 42;  // what one 512-byte reply can carry
inline constexpr std::size_t kMaxImageBytes = 393216;

struct VersionInfo {
  Version4 firmware{3, 0, 1, 4};  // V4.1.0.3
  Version2 pwb{0, 1};             // 1.00
  Version2 pld{0, 1};             // 1.00
  Version4 boot{2, 0, 0, 1};      // V1.0.0.2
  std::uint8_t switchByte = 0;
};

// The user's part of the basic settings: what WriteBasicSettings carries.
struct BasicSettings {
  std::uint32_t moduleId = 0;
  std::array<std::uint8_t, kNameBytes> name{};
  std::array<std::uint8_t, kDescriptionBytes> description{};
  std::uint8_t addressMode = 1;  // 0 automatic, 1 manual
  // Loopback, so that whatever is handed an address of the simulation (the
  // editor's test command above all) connects on this machine only.
  Ipv4 ipAddress{127, 0, 0, 10};
  Ipv4 subnetMask{255, 255, 255, 0};
  Ipv4 gateway{127, 0, 0, 1};
};

struct AdvancedSettings {
  std::uint32_t reservedA = 0;
  std::uint32_t reservedB = 0;
  std::uint8_t reservedByte = 0;
  std::uint32_t masterTimeoutMs = 1000;
  std::uint32_t slaveTimeoutSec = 60;
};

// What RestoreFactorySettings brings back. The reserved advanced values and
// the fixed ID belong to the module and are kept.
struct FactorySettings {
  BasicSettings basic;
  std::uint32_t masterTimeoutMs = 1000;
  std::uint32_t slaveTimeoutSec = 60;
};

struct Timing {
  int enterBootLoaderMs = 300;
  int eraseMs = 500;
  int restartMs = 1000;
};

// One of the module's two program areas (boot loader, system program).
struct FirmwareArea {
  bool valid = true;
  Bytes content;                      // what the last verified download left (without padding)
  std::optional<Version4> newVersion;  // taken into the versions at the next restart
};

// The download in progress between EraseFirmware and VerifyFirmware.
struct Download {
  bool erased = false;
  std::uint8_t kind = 0;  // 1 boot loader, 2 system program
  std::uint16_t nextBlock = 1;
  bool shortBlockSeen = false;  // only the last block may be shorter than 512
  Bytes written;                // blocks as received, padding included
};

// A run-mode change that takes effect later; the module is silent until then.
struct PendingTransition {
  std::int64_t atMs = 0;
  bool forever = false;
  std::uint8_t runMode = kRunModeSystem;
};

// A module's Modbus TCP server, on a loopback address of its own so that
// every module can be reached at the usual port like a real one.
struct ModbusService {
  Ipv4 address{127, 0, 0, 2};
  std::uint16_t port = 502;  // once the program serves it: the port actually bound
  ModbusTables tables;
  std::vector<FaultRule> faults;  // silent, delay, exception; `codes` are function codes
};

struct Module {
  Mac mac{};
  std::uint8_t runMode = kRunModeSystem;
  std::uint16_t statusFlags = 0;
  VersionInfo versions;
  std::uint8_t fixedId = 0;
  BasicSettings basic;
  Ipv4 currentIp{127, 0, 0, 10};
  Ipv4 currentMask{255, 255, 255, 0};
  Ipv4 currentGateway{127, 0, 0, 1};
  AdvancedSettings advanced;
  std::vector<PeerEntry> peers;
  FactorySettings factory;
  Timing timing;
  std::vector<FaultRule> faults;
  std::optional<ModbusService> modbus;  // absent: no Modbus TCP

  // State of the run.
  std::array<FirmwareArea, 2> areas;  // [0] boot loader, [1] system program
  Download download;
  std::optional<PendingTransition> pending;
  int silentRequestsLeft = 0;

  FirmwareArea& area(std::uint8_t kind) { return areas[kind == 1 ? 0 : 1]; }
  const FirmwareArea& area(std::uint8_t kind) const { return areas[kind == 1 ? 0 : 1]; }
  bool manualReset() const { return (statusFlags & kStatusManualReset) != 0; }
};

// Applies a pending run-mode change once its time has come.
void advanceModule(Module& module, std::int64_t nowMs);
// True while a pending change keeps the module silent.
bool moduleSilentAt(const Module& module, std::int64_t nowMs);

// The in-use addresses follow the manual ones in manual mode.
void applyAddressing(Module& module);

}  // namespace trax_sim
