#pragma once
// Modules behind the fake transport: they answer discovery and the reads of
// the scan and the refresh, and carry per-module faults.
#include <set>
#include <string>

#include "fake_transport.h"
#include "orvane/protocol/config_frame.h"
#include "orvane/protocol/module_record.h"

namespace orvane::testing {

// A reply frame: header, length, code, then `body` from byte 4, check byte.
inline Bytes replyFrame(std::uint8_t code, const Bytes& body) {
  const std::size_t length = 4 + body.size() + 1;
  Bytes f(length, 0);
  f[0] = 0xAA;
  f[1] = static_cast<std::uint8_t>(length & 0xFF);
  f[2] = static_cast<std::uint8_t>(length >> 8);
  f[3] = code;
  for (std::size_t i = 0; i < body.size(); ++i) f[4 + i] = body[i];
  f[length - 1] = xorCheck(std::span(f).first(length - 1));
  return f;
}

struct FakeModule {
  MacAddress mac{};
  Ipv4Bytes ip{127, 0, 0, 1};
  std::uint8_t runMode = kRunModeSystemProgram;
  std::uint16_t flags = 0;
  ModuleVersionInfo versions{{1, 0, 0, 4}, {2, 1}, {5, 1}, {0, 0, 3, 1}, 0xA5};
  std::uint8_t fixedId = 0;
  std::uint32_t moduleId = 7;
  std::string name = "module";  // GBK bytes
  std::string description = "description";
  std::set<std::uint8_t> silentFor;       // codes it does not answer
  std::set<std::uint8_t> wrongCodeFirst;  // codes answered by another code first

  Bytes discoveryReply() const {
    Bytes b(mac.begin(), mac.end());
    b.insert(b.end(), ip.begin(), ip.end());
    b.push_back(runMode);
    b.push_back(static_cast<std::uint8_t>(flags & 0xFF));
    b.push_back(static_cast<std::uint8_t>(flags >> 8));
    return replyFrame(0x01, b);
  }
  Bytes systemInfoReply() const {
    const auto& v = versions;
    Bytes b(v.firmwareVersion.begin(), v.firmwareVersion.end());
    b.insert(b.end(), v.pwbVersion.begin(), v.pwbVersion.end());
    b.insert(b.end(), v.pldVersion.begin(), v.pldVersion.end());
    b.insert(b.end(), v.bootVersion.begin(), v.bootVersion.end());
    b.push_back(v.switchByte);
    return replyFrame(0x09, b);
  }
  Bytes bootInfoReply() const {
    const auto& v = versions;
    Bytes b(v.bootVersion.begin(), v.bootVersion.end());
    b.insert(b.end(), v.pwbVersion.begin(), v.pwbVersion.end());
    b.push_back(v.switchByte);
    return replyFrame(0xE1, b);
  }
  Bytes basicSettingsReply() const {
    Bytes b(350, 0);  // bytes 4..353 of the frame
    b[0] = fixedId;
    for (int i = 0; i < 4; ++i) b[1 + i] = static_cast<std::uint8_t>(moduleId >> (8 * i));
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 64), b.begin() + 5);
    std::copy_n(description.begin(), std::min<std::size_t>(description.size(), 256), b.begin() + 69);
    b[325] = 1;  // manual addressing
    for (int i = 0; i < 4; ++i) {
      b[326 + i] = ip[static_cast<std::size_t>(i)];
      b[330 + i] = i < 3 ? 255 : 0;
      b[334 + i] = i == 3 ? 254 : ip[static_cast<std::size_t>(i)];
      b[338 + i] = ip[static_cast<std::size_t>(i)];
    }
    return replyFrame(0x06, b);
  }
  std::optional<Bytes> replyTo(std::uint8_t code) const {
    switch (code) {
      case 0x09: return systemInfoReply();
      case 0xE1: return bootInfoReply();
      case 0x06: return basicSettingsReply();
      default: return std::nullopt;
    }
  }
};

// A responder for the fake transport over a set of modules.
inline FakeTransport::Responder modulesResponder(const std::vector<FakeModule>& modules) {
  return [modules](const Bytes& frame) {
    std::vector<Arrival> arrivals;
    if (frame.size() < 4) return arrivals;
    const std::uint8_t code = frame[3];
    for (const auto& m : modules) {
      if (code == 0x01) {
        if (!m.silentFor.count(code)) arrivals.push_back(Arrival::datagram(m.discoveryReply()));
        continue;
      }
      if (frame.size() < 10 || !std::equal(m.mac.begin(), m.mac.end(), frame.begin() + 4)) continue;
      if (m.silentFor.count(code)) continue;
      if (m.wrongCodeFirst.count(code)) arrivals.push_back(Arrival::datagram(replyFrame(0x55, {0})));
      if (const auto reply = m.replyTo(code)) arrivals.push_back(Arrival::datagram(*reply));
    }
    return arrivals;
  };
}

inline MacAddress macOf(int n) {
  return {0x00, 0x11, 0x22, 0x33, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)};
}

}  // namespace orvane::testing
