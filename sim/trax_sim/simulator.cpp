#include "simulator.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace trax_sim {
namespace {

FaultRule* findRule(std::vector<FaultRule>& rules, FaultKind kind, std::uint8_t code) {
  for (auto& f : rules)
    if (f.kind == kind && !f.spent() && f.coversCode(code)) return &f;
  return nullptr;
}

FaultRule* findFault(Module& m, FaultKind kind, std::uint8_t code) { return findRule(m.faults, kind, code); }

FaultRule* findResultFault(Module& m, const Request& r) {
  if (!isResultCommand(r.code)) return nullptr;
  for (auto& f : m.faults) {
    if (f.kind != FaultKind::Result || f.spent() || !f.coversCode(r.code)) continue;
    if (f.block != 0 && (r.code != WriteFirmwareBlock || getU16(r.payload, 1) != f.block)) continue;
    return &f;
  }
  return nullptr;
}

}  // namespace

std::vector<Outgoing> Simulator::handleDatagram(std::span<const std::uint8_t> datagram, std::int64_t nowMs) {
  Request request;
  const FrameError error = parseRequest(datagram, request);
  std::vector<Outgoing> out;
  if (error != FrameError::None) {
    if (notes_) notes_(std::string("dropped a datagram: ") + frameErrorText(error));
    return out;
  }
  bool addressed = false;
  for (auto& module : modules_) {
    if (request.mac && *request.mac != module.mac) continue;
    addressed = true;
    auto replies = respond(module, request, nowMs);
    out.insert(out.end(), replies.begin(), replies.end());
  }
  if (!addressed && notes_) notes_("no module has MAC " + macText(*request.mac));
  return out;
}

std::vector<Outgoing> Simulator::respond(Module& m, const Request& request, std::int64_t nowMs) {
  const std::uint8_t code = request.code;
  advanceModule(m, nowMs);
  if (moduleSilentAt(m, nowMs)) return {};
  if (m.silentRequestsLeft > 0) {
    --m.silentRequestsLeft;
    return {};
  }
  if (auto* f = findFault(m, FaultKind::Silent, code)) {
    f->use();
    return {};
  }
  if (m.runMode == kRunModeBootLoader) {
    if (auto* f = findFault(m, FaultKind::BootLoaderSilent, code)) {
      f->use();
      return {};
    }
  }
  if (!moduleAnswers(m, code)) {
    note(m, "does not answer command 0x" + hexText(std::span(&code, 1)) + " in run mode " +
                std::to_string(m.runMode));
    return {};
  }
  if (code == EnterBootLoader && m.runMode != kRunModeBootLoader) {
    if (auto* f = findFault(m, FaultKind::NeverEnterBootLoader, code)) {
      f->use();
      return {};
    }
  }
  Handled handled;
  if (auto* f = findResultFault(m, request)) {
    f->use();
    handled.reply = buildResultReply(code, static_cast<std::uint8_t>(f->value));
  } else {
    handled = handleRequest(m, request, nowMs);
    afterHandled(m, request, handled, nowMs);
  }
  std::vector<Outgoing> out;
  if (handled.reply) shape(m, code, std::move(*handled.reply), nowMs + handled.extraDelayMs, out);
  return out;
}

void Simulator::afterHandled(Module& m, const Request& request, const Handled& handled, std::int64_t nowMs) {
  if (!handled.note.empty()) note(m, handled.note);
  if (handled.settingsWritten) {
    if (auto* f = findFault(m, FaultKind::SilentAfterWrite, request.code)) {
      f->use();
      m.silentRequestsLeft = f->value;
    }
  }
  if (handled.verifiedKind) dumpArea(m, handled.verifiedKind);
  const bool restarted = request.code == RestartModule && handled.reply && handled.reply->size() > 4 &&
                         (*handled.reply)[4] == kResultOk;
  if (restarted && m.pending) {
    if (auto* f = findFault(m, FaultKind::SilentAfterRestart, request.code)) {
      f->use();
      // Counted requests rather than time: a test across processes then
      // does not depend on how fast the machine is.
      if (f->value > 0) {
        m.silentRequestsLeft = f->value;
      } else {
        m.pending->forever = f->ms < 0;
        m.pending->atMs = nowMs + std::max(f->ms, 0);
      }
    }
  }
}

void Simulator::shape(Module& m, std::uint8_t code, Bytes reply, std::int64_t dueMs, std::vector<Outgoing>& out) {
  if (auto* f = findFault(m, FaultKind::Overlong, code)) {
    f->use();
    if (reply.size() < static_cast<std::size_t>(f->size)) {
      reply.resize(static_cast<std::size_t>(f->size), 0);
      sealFrame(reply);
    }
  }
  if (auto* f = findFault(m, FaultKind::Delay, code)) {
    f->use();
    dueMs += f->ms;
  }
  if (auto* f = findFault(m, FaultKind::OtherCodeFirst, code)) {
    f->use();
    Bytes other = reply;
    other[3] = static_cast<std::uint8_t>(code ^ 0x80);
    sealFrame(other);
    out.push_back({dueMs, std::move(other)});
  }
  const bool twice = [&] {
    auto* f = findFault(m, FaultKind::Duplicate, code);
    if (f) f->use();
    return f != nullptr;
  }();
  if (twice) out.push_back({dueMs, reply});
  out.push_back({dueMs, std::move(reply)});
}

std::vector<Outgoing> Simulator::handleScan(std::span<const std::uint8_t> datagram, std::int64_t nowMs) {
  std::vector<Outgoing> out;
  if (datagram.size() < sizeof kScanRequest || std::memcmp(datagram.data(), kScanRequest, sizeof kScanRequest) != 0) {
    if (notes_) notes_("scan port: not a scan request");
    return out;
  }
  for (auto& m : modules_) {
    advanceModule(m, nowMs);
    if (moduleSilentAt(m, nowMs) || m.runMode != kRunModeSystem) continue;
    auto silent = std::find_if(m.faults.begin(), m.faults.end(), [](const FaultRule& f) {
      return f.kind == FaultKind::Silent && f.codes.empty() && !f.spent();
    });
    if (silent != m.faults.end()) {
      silent->use();
      continue;
    }
    out.push_back({nowMs, scanReply(m)});
  }
  return out;
}

std::vector<Outgoing> Simulator::handleModbus(std::size_t index, std::span<const std::uint8_t> adu,
                                              std::int64_t nowMs) {
  Module& m = modules_.at(index);
  advanceModule(m, nowMs);
  // Only the system program serves Modbus: a module restarting or in its boot loader leaves clients to time out.
  if (moduleSilentAt(m, nowMs) || m.runMode != kRunModeSystem || !m.modbus) return {};
  // Another protocol than Modbus (identifier not 0) is not answered.
  if (adu.size() < kMbapBytes + 1 || adu[2] != 0 || adu[3] != 0) return {};
  auto& service = *m.modbus;
  const std::uint8_t function = adu[kMbapBytes];
  if (auto* f = findRule(service.faults, FaultKind::Silent, function)) {
    f->use();
    return {};
  }
  Bytes pdu;
  if (auto* f = findRule(service.faults, FaultKind::Exception, function)) {
    f->use();
    pdu = modbusException(function, static_cast<std::uint8_t>(f->value));
  } else {
    pdu = answerModbusPdu(service.tables, adu.subspan(kMbapBytes));
  }
  std::int64_t dueMs = nowMs;
  if (auto* f = findRule(service.faults, FaultKind::Delay, function)) {
    f->use();
    dueMs += f->ms;
  }
  return {{dueMs, mbapReply(adu, pdu)}};
}

Bytes scanReply(const Module& m) {
  Bytes reply(32, 0);
  reply[0] = 'H';
  reply[1] = 'A';
  reply[2] = 'P';
  reply[3] = 0x81;
  std::copy(m.mac.begin(), m.mac.end(), reply.begin() + 4);
  std::copy(m.currentMask.begin(), m.currentMask.end(), reply.begin() + 10);
  std::copy(m.currentGateway.begin(), m.currentGateway.end(), reply.begin() + 14);
  reply[18] = m.runMode;
  // Byte 22, the last octet, is all a scanning client needs when modules share one network; the
  // simulated ones share one machine, so they report where they really serve.
  const Ipv4& address = m.modbus ? m.modbus->address : m.currentIp;
  std::copy(address.begin(), address.end(), reply.begin() + 19);
  putU16(reply, 23, m.modbus ? m.modbus->port : 502);
  return reply;
}

void Simulator::note(const Module& m, const std::string& text) {
  if (notes_) notes_(macText(m.mac) + ": " + text);
}

void Simulator::dumpArea(const Module& m, std::uint8_t kind) {
  if (dumpDir_.empty()) return;
  auto name = macText(m.mac) + (kind == 1 ? "-boot.bin" : "-system.bin");
  const auto path = std::filesystem::path(dumpDir_) / name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const auto& content = m.area(kind).content;
  file.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
  if (!file) note(m, "cannot write " + path.string());
}

}  // namespace trax_sim
