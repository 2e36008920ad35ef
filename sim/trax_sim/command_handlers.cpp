#include "command_handlers.h"

#include <algorithm>

namespace trax_sim {
namespace {

constexpr std::size_t kBasicPayload = 337;    // moduleId .. gateway
constexpr std::size_t kAdvancedPayload = 17;  // reservedA .. slaveTimeoutSec

template <std::size_t N>
void putArray(Bytes& out, std::size_t offset, const std::array<std::uint8_t, N>& a) {
  std::copy(a.begin(), a.end(), out.begin() + static_cast<std::ptrdiff_t>(offset));
}

template <std::size_t N>
void getArray(std::span<const std::uint8_t> in, std::size_t offset, std::array<std::uint8_t, N>& a) {
  std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(offset), N, a.begin());
}

Handled resultReply(std::uint8_t code, std::uint8_t result, std::string note) {
  Handled h;
  h.reply = buildResultReply(code, result);
  h.note = std::move(note);
  return h;
}

Handled ignore(std::string note) {
  Handled h;
  h.note = std::move(note);
  return h;
}

Handled reply(std::uint8_t code, const Bytes& payload) {
  Handled h;
  h.reply = buildReply(code, payload);
  return h;
}

Handled readSystemInfo(const Module& m) {
  Bytes p(13, 0);
  putArray(p, 0, m.versions.firmware);
  putArray(p, 4, m.versions.pwb);
  putArray(p, 6, m.versions.pld);
  putArray(p, 8, m.versions.boot);
  p[12] = m.versions.switchByte;
  return reply(ReadSystemInfo, p);
}

Handled readBasic(const Module& m) {
  Bytes p(350, 0);
  p[0] = m.fixedId;
  putU32(p, 1, m.basic.moduleId);
  putArray(p, 5, m.basic.name);
  putArray(p, 69, m.basic.description);
  p[325] = m.basic.addressMode;
  putArray(p, 326, m.basic.ipAddress);
  putArray(p, 330, m.basic.subnetMask);
  putArray(p, 334, m.basic.gateway);
  putArray(p, 338, m.currentIp);
  putArray(p, 342, m.currentMask);
  putArray(p, 346, m.currentGateway);
  return reply(ReadBasicSettings, p);
}

Handled writeBasic(Module& m, std::span<const std::uint8_t> p) {
  if (p.size() != kBasicPayload) return resultReply(WriteBasicSettings, kRefusedLength, "WriteBasicSettings of wrong length");
  if (m.manualReset()) return resultReply(WriteBasicSettings, kRefusedManualReset, "manual reset switch is on");
  m.basic.moduleId = getU32(p, 0);
  getArray(p, 4, m.basic.name);
  getArray(p, 68, m.basic.description);
  m.basic.addressMode = p[324];
  getArray(p, 325, m.basic.ipAddress);
  getArray(p, 329, m.basic.subnetMask);
  getArray(p, 333, m.basic.gateway);
  applyAddressing(m);
  Handled h = resultReply(WriteBasicSettings, kResultOk, "");
  h.settingsWritten = true;
  return h;
}

Handled readAdvanced(const Module& m) {
  Bytes p(kAdvancedPayload, 0);
  putU32(p, 0, m.advanced.reservedA);
  putU32(p, 4, m.advanced.reservedB);
  p[8] = m.advanced.reservedByte;
  putU32(p, 9, m.advanced.masterTimeoutMs);
  putU32(p, 13, m.advanced.slaveTimeoutSec);
  return reply(ReadAdvancedSettings, p);
}

Handled writeAdvanced(Module& m, std::span<const std::uint8_t> p) {
  if (p.size() != kAdvancedPayload)
    return resultReply(WriteAdvancedSettings, kRefusedLength, "WriteAdvancedSettings of wrong length");
  if (m.manualReset()) return resultReply(WriteAdvancedSettings, kRefusedManualReset, "manual reset switch is on");
  m.advanced.reservedA = getU32(p, 0);
  m.advanced.reservedB = getU32(p, 4);
  m.advanced.reservedByte = p[8];
  m.advanced.masterTimeoutMs = getU32(p, 9);
  m.advanced.slaveTimeoutSec = getU32(p, 13);
  Handled h = resultReply(WriteAdvancedSettings, kResultOk, "");
  h.settingsWritten = true;
  return h;
}

Handled readPeers(const Module& m) {
  Bytes p(1 + 12 * m.peers.size(), 0);
  p[0] = static_cast<std::uint8_t>(m.peers.size());
  for (std::size_t i = 0; i < m.peers.size(); ++i) putArray(p, 1 + 12 * i, m.peers[i]);
  return reply(ReadPeerTable, p);
}

Handled writePeers(Module& m, std::span<const std::uint8_t> p) {
  if (p.empty() || p.size() != 1 + 12 * std::size_t{p[0]})
    return resultReply(WritePeerTable, kRefusedLength, "WritePeerTable length does not match its entry count");
  if (p[0] > kMaxWrittenPeers) return resultReply(WritePeerTable, kRefusedPeerCount, "more than 30 peer entries");
  if (m.manualReset()) return resultReply(WritePeerTable, kRefusedManualReset, "manual reset switch is on");
  m.peers.assign(p[0], PeerEntry{});
  for (std::size_t i = 0; i < m.peers.size(); ++i) getArray(p, 1 + 12 * i, m.peers[i]);
  Handled h = resultReply(WritePeerTable, kResultOk, "");
  h.settingsWritten = true;
  return h;
}

Handled restoreFactory(Module& m, std::span<const std::uint8_t> p) {
  if (!p.empty()) return resultReply(RestoreFactorySettings, kRefusedLength, "RestoreFactorySettings of wrong length");
  if (m.manualReset()) return resultReply(RestoreFactorySettings, kRefusedManualReset, "manual reset switch is on");
  m.basic = m.factory.basic;
  m.advanced.masterTimeoutMs = m.factory.masterTimeoutMs;
  m.advanced.slaveTimeoutSec = m.factory.slaveTimeoutSec;
  m.peers.clear();
  applyAddressing(m);
  return resultReply(RestoreFactorySettings, kResultOk, "");
}

}  // namespace

Bytes discoveryReply(const Module& m) {
  Bytes p(13, 0);
  putArray(p, 0, m.mac);
  putArray(p, 6, m.currentIp);
  p[10] = m.runMode;
  putU16(p, 11, m.statusFlags);
  return buildReply(DiscoverModules, p);
}

bool moduleAnswers(const Module& module, std::uint8_t code) {
  switch (code) {
    case DiscoverModules:
    case EnterBootLoader:
    case ReadBootInfo:
      return true;
    case EraseFirmware:
    case WriteFirmwareBlock:
    case VerifyFirmware:
    case RestartModule:
      return module.runMode == kRunModeBootLoader;
    case WriteBasicSettings:
    case WriteAdvancedSettings:
    case WritePeerTable:
    case ReadBasicSettings:
    case ReadAdvancedSettings:
    case ReadPeerTable:
    case ReadSystemInfo:
    case RestoreFactorySettings:
      return module.runMode != kRunModeBootLoader;
    default:
      return false;
  }
}

Handled handleSettingsCommand(Module& m, const Request& r) {
  const bool addressOnly = r.payload.empty();
  switch (r.code) {
    case DiscoverModules: {
      Handled h;
      h.reply = discoveryReply(m);
      return h;
    }
    case ReadSystemInfo: return addressOnly ? readSystemInfo(m) : ignore("ReadSystemInfo with a payload");
    case ReadBasicSettings: return addressOnly ? readBasic(m) : ignore("ReadBasicSettings with a payload");
    case ReadAdvancedSettings:
      return addressOnly ? readAdvanced(m) : ignore("ReadAdvancedSettings with a payload");
    case ReadPeerTable: return addressOnly ? readPeers(m) : ignore("ReadPeerTable with a payload");
    case WriteBasicSettings: return writeBasic(m, r.payload);
    case WriteAdvancedSettings: return writeAdvanced(m, r.payload);
    case WritePeerTable: return writePeers(m, r.payload);
    case RestoreFactorySettings: return restoreFactory(m, r.payload);
    default: return ignore("unknown command");
  }
}

Handled handleRequest(Module& module, const Request& request, std::int64_t nowMs) {
  switch (request.code) {
    case EnterBootLoader:
    case ReadBootInfo:
    case EraseFirmware:
    case WriteFirmwareBlock:
    case VerifyFirmware:
    case RestartModule:
      return handleBootCommand(module, request, nowMs);
    default:
      return handleSettingsCommand(module, request);
  }
}

}  // namespace trax_sim
