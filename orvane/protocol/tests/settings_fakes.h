#pragma once
// Modules behind the fake transport that also answer the settings commands
// and keep what is written to them, with per-module faults; and scripted
// settings dialogs that record what they were given.
#include <functional>
#include <map>
#include <memory>

#include "fake_modules.h"
#include "orvane/protocol/advanced_settings.h"
#include "orvane/protocol/peer_entry.h"
#include "orvane/protocol/settings_dialogs.h"

namespace orvane::testing {

struct SettingsFake {
  FakeModule module;
  Bytes advanced = {7, 0, 0, 0, 0x2C, 1, 0, 0, 1, 0xF4, 1, 0, 0, 30, 0, 0, 0};  // 17-byte block
  std::vector<Bytes> peers;              // 12 bytes each
  std::optional<std::uint8_t> announce;  // the count the peer reply announces, if not peers.size()
  std::map<std::uint8_t, std::uint8_t> resultFor;  // write code -> result byte
  std::set<std::uint8_t> silentFor;
  int silenceAfterWrite = 0;  // requests left unanswered after each accepted write

  std::optional<Bytes> answer(const Bytes& frame) {
    const std::uint8_t code = frame[3];
    if (silentFor.count(code)) return std::nullopt;
    if (silentLeft_ > 0 && code != 0x02 && code != 0x03 && code != 0x04) {
      --silentLeft_;
      return std::nullopt;
    }
    switch (code) {
      case 0x02: case 0x03: case 0x04: case 0x0A: return write(code, frame);
      case 0x07: return replyFrame(0x07, advanced);
      case 0x08: return peerReply();
      default: return module.replyTo(code);
    }
  }

 private:
  Bytes write(std::uint8_t code, const Bytes& frame) {
    const std::uint8_t result = resultFor.count(code) ? resultFor[code] : 0;
    if (result == 0) {
      if (code == 0x02) takeBasicWrite(frame);
      if (code == 0x03) advanced.assign(frame.begin() + 10, frame.begin() + 27);
      if (code == 0x04) takePeerWrite(frame);
      if (code != 0x0A) silentLeft_ = silenceAfterWrite;
    }
    return replyFrame(code, {result});
  }
  void takeBasicWrite(const Bytes& f) {
    module.moduleId = f[10] | (f[11] << 8) | (f[12] << 16) | (static_cast<std::uint32_t>(f[13]) << 24);
    module.name.assign(f.begin() + 14, f.begin() + 78);
    module.name.resize(module.name.find('\0') == std::string::npos ? 64 : module.name.find('\0'));
    module.description.assign(f.begin() + 78, f.begin() + 334);
    module.description.resize(std::min(module.description.find('\0'), module.description.size()));
    std::copy_n(f.begin() + 335, 4, module.ip.begin());
  }
  void takePeerWrite(const Bytes& f) {
    peers.clear();
    for (std::size_t i = 0; i < f[10]; ++i)
      peers.emplace_back(f.begin() + 11 + 12 * i, f.begin() + 23 + 12 * i);
  }
  Bytes peerReply() const {
    Bytes body{announce.value_or(static_cast<std::uint8_t>(peers.size()))};
    for (const auto& p : peers) body.insert(body.end(), p.begin(), p.end());
    return replyFrame(0x08, body);
  }

  int silentLeft_ = 0;
};

// A responder over fakes the test keeps and may change between requests.
inline FakeTransport::Responder settingsResponder(std::vector<SettingsFake>& fakes) {
  return [&fakes](const Bytes& frame) {
    std::vector<Arrival> arrivals;
    if (frame.size() < 4) return arrivals;
    for (auto& f : fakes) {
      if (frame[3] == 0x01) {
        arrivals.push_back(Arrival::datagram(f.module.discoveryReply()));
        continue;
      }
      if (frame.size() < 10 || !std::equal(f.module.mac.begin(), f.module.mac.end(), frame.begin() + 4))
        continue;
      if (auto reply = f.answer(frame)) arrivals.push_back(Arrival::datagram(*reply));
    }
    return arrivals;
  };
}

class ScriptedDialogs final : public SettingsDialogs {
 public:
  std::function<bool(ModuleRecord&)> basic = [](ModuleRecord&) { return false; };
  std::function<bool(AdvancedSettings&)> advanced = [](AdvancedSettings&) { return false; };
  std::function<bool(std::vector<PeerEntry>&)> peers = [](std::vector<PeerEntry>&) { return false; };

  std::vector<ModuleRecord> basicGiven;
  std::vector<int> modesGiven;
  std::vector<AdvancedSettings> advancedGiven;
  std::vector<std::vector<PeerEntry>> peersGiven;

  bool editBasicSettings(ModuleRecord& record, int protocolType) override {
    basicGiven.push_back(record);
    modesGiven.push_back(protocolType);
    return basic(record);
  }
  bool editAdvancedSettings(AdvancedSettings& settings) override {
    advancedGiven.push_back(settings);
    return advanced(settings);
  }
  bool editPeerTable(std::vector<PeerEntry>& entries) override {
    peersGiven.push_back(entries);
    return peers(entries);
  }
  int opened() const {
    return static_cast<int>(basicGiven.size() + advancedGiven.size() + peersGiven.size());
  }
};

}  // namespace orvane::testing
