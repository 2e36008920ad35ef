#include "module_settings.h"

#include <algorithm>

#include "orvane/protocol/row_format.h"
#include "platform/gbk.h"

namespace orvane::settings_file {
namespace {

// Bytes that do not read back the same from UTF-8 are shown as hex, so that
// two texts differing only in such bytes still show as a change.
std::string quoted(std::string_view gbk) {
  const auto utf8 = platform::gbkToUtf8(gbk);
  if (platform::utf8ToGbk(utf8) == gbk) return '"' + utf8 + '"';
  std::string hex = "GBK";
  for (const unsigned char c : gbk) hex += ' ' + std::to_string(c);
  return hex;
}

std::string modeText(std::uint8_t mode) { return mode == 0 ? "auto" : "manual"; }

std::string kindText(std::uint8_t kind) {
  if (kind == kPeerKindTrax) return "TRAX";
  if (kind == kPeerKindModbusTcp) return "Modbus/TCP";
  return std::to_string(kind);
}

std::string reservedText(const std::array<std::uint8_t, 3>& bytes) {
  return std::to_string(bytes[0]) + ' ' + std::to_string(bytes[1]) + ' ' + std::to_string(bytes[2]);
}

std::string entryText(const PeerEntry& e) {
  return "{device " + std::to_string(e.device) + ", " + kindText(e.kind) + ", " + dottedIpText(e.ip) +
         ", port " + std::to_string(e.port) + ", unit " + std::to_string(e.unit) + ", reserved " +
         reservedText(e.reserved) + '}';
}

class ChangeList {
 public:
  ChangeList(Section section, std::vector<FieldChange>& out) : section_(section), out_(out) {}
  void compare(std::string field, std::string before, std::string after) {
    if (before != after) out_.push_back({section_, std::move(field), std::move(before), std::move(after)});
  }

 private:
  Section section_;
  std::vector<FieldChange>& out_;
};

void basicChanges(const ModuleRecord& a, const ModuleRecord& b, std::vector<FieldChange>& out) {
  ChangeList list(Section::Basic, out);
  list.compare("moduleId", std::to_string(a.moduleId), std::to_string(b.moduleId));
  list.compare("name", quoted(textField(a.name)), quoted(textField(b.name)));
  list.compare("description", quoted(textField(a.description)), quoted(textField(b.description)));
  list.compare("addressMode", modeText(a.addressMode), modeText(b.addressMode));
  list.compare("ipAddress", dottedIpText(a.ipAddress), dottedIpText(b.ipAddress));
  list.compare("subnetMask", dottedIpText(a.subnetMask), dottedIpText(b.subnetMask));
  list.compare("gateway", dottedIpText(a.gateway), dottedIpText(b.gateway));
}

void peerChanges(const std::vector<PeerEntry>& a, const std::vector<PeerEntry>& b,
                 std::vector<FieldChange>& out) {
  ChangeList list(Section::Peers, out);
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const auto at = "peers[" + std::to_string(i + 1) + "]";
    if (i >= a.size() || i >= b.size()) {
      list.compare(at, i < a.size() ? entryText(a[i]) : "-", i < b.size() ? entryText(b[i]) : "-");
      continue;
    }
    const auto &x = a[i], &y = b[i];
    list.compare(at + ".device", std::to_string(x.device), std::to_string(y.device));
    list.compare(at + ".kind", kindText(x.kind), kindText(y.kind));
    list.compare(at + ".ip", dottedIpText(x.ip), dottedIpText(y.ip));
    list.compare(at + ".port", std::to_string(x.port), std::to_string(y.port));
    list.compare(at + ".unit", std::to_string(x.unit), std::to_string(y.unit));
    list.compare(at + ".reserved", reservedText(x.reserved), reservedText(y.reserved));
  }
}

}  // namespace

ModuleSettings settingsAfterLoad(const ModuleSettings& target, const ModuleSettings& file,
                                 bool copyIdentity) {
  ModuleSettings result = target;
  auto& basic = result.basic;
  const bool sameModule = file.basic.mac == target.basic.mac;
  const bool identity = copyIdentity || sameModule;
  // A module that fixes its ID shows it in a disabled field: no dialog can
  // change its moduleId, so neither does a file.
  if (identity && target.basic.fixedId == 0) basic.moduleId = file.basic.moduleId;
  if (identity) {
    basic.name = file.basic.name;
    basic.ipAddress = file.basic.ipAddress;
  }
  basic.description = file.basic.description;
  basic.addressMode = file.basic.addressMode;
  basic.subnetMask = file.basic.subnetMask;
  basic.gateway = file.basic.gateway;
  result.advanced.masterTimeoutMs = file.advanced.masterTimeoutMs;
  result.advanced.slaveTimeoutSec = file.advanced.slaveTimeoutSec;
  result.peers = file.peers;
  return result;
}

std::vector<FieldChange> settingsChanges(const ModuleSettings& before, const ModuleSettings& after) {
  std::vector<FieldChange> changes;
  basicChanges(before.basic, after.basic, changes);
  ChangeList advanced(Section::Advanced, changes);
  advanced.compare("masterTimeoutMs", std::to_string(before.advanced.masterTimeoutMs),
                   std::to_string(after.advanced.masterTimeoutMs));
  advanced.compare("slaveTimeoutSec", std::to_string(before.advanced.slaveTimeoutSec),
                   std::to_string(after.advanced.slaveTimeoutSec));
  peerChanges(before.peers, after.peers, changes);
  return changes;
}

bool sectionDiffers(const std::vector<FieldChange>& changes, Section section) {
  return std::any_of(changes.begin(), changes.end(),
                     [&](const FieldChange& c) { return c.section == section; });
}

std::string changeText(const FieldChange& change) {
  const auto key = change.section == Section::Peers ? change.field
                                                    : std::string(sectionKey(change.section)) + '.' + change.field;
  return key + ": " + change.before + " → " + change.after;
}

std::string_view sectionKey(Section section) {
  switch (section) {
    case Section::Basic: return "basic";
    case Section::Advanced: return "advanced";
    case Section::Peers: return "peers";
  }
  return {};
}

}  // namespace orvane::settings_file
