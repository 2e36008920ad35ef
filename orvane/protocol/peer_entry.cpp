#include "peer_entry.h"

#include <algorithm>

#include "orvane/protocol/reply_reader.h"

namespace orvane {

std::array<std::uint8_t, kPeerEntryBytes> peerEntryBytes(const PeerEntry& e) {
  std::array<std::uint8_t, kPeerEntryBytes> b{};
  b[kPeerDevice] = e.device;
  b[kPeerKind] = e.kind;
  std::copy(e.ip.begin(), e.ip.end(), b.begin() + kPeerIp);
  b[kPeerPort] = static_cast<std::uint8_t>(e.port & 0xFF);
  b[kPeerPort + 1] = static_cast<std::uint8_t>(e.port >> 8);
  b[kPeerUnit] = e.unit;
  std::copy(e.reserved.begin(), e.reserved.end(), b.begin() + kPeerReserved);
  return b;
}

PeerEntry peerEntryFrom(std::span<const std::uint8_t> bytes) {
  const ReplyReader r(bytes);
  PeerEntry e;
  e.device = r.u8(kPeerDevice);
  e.kind = r.u8(kPeerKind);
  r.copy(kPeerIp, std::span(e.ip));
  e.port = r.u16le(kPeerPort);
  e.unit = r.u8(kPeerUnit);
  r.copy(kPeerReserved, std::span(e.reserved));
  return e;
}

std::optional<std::vector<std::uint8_t>> peerTablePayload(std::span<const PeerEntry> entries) {
  if (entries.size() > kMaxPeerEntries) return std::nullopt;
  std::vector<std::uint8_t> payload;
  payload.reserve(1 + kPeerEntryBytes * entries.size());
  payload.push_back(static_cast<std::uint8_t>(entries.size()));
  for (const auto& e : entries) {
    const auto b = peerEntryBytes(e);
    payload.insert(payload.end(), b.begin(), b.end());
  }
  return payload;
}

std::vector<PeerEntry> takePeerTableReply(std::span<const std::uint8_t> reply) {
  const ReplyReader r(reply);
  const std::size_t count = std::min<std::size_t>(r.u8(kPeerReplyCount), kMaxPeerEntries);
  std::vector<PeerEntry> entries;
  entries.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kPeerReplyEntries + kPeerEntryBytes * i;
    std::array<std::uint8_t, kPeerEntryBytes> bytes{};
    r.copy(at, std::span(bytes));
    entries.push_back(peerEntryFrom(bytes));
  }
  return entries;
}

}  // namespace orvane
