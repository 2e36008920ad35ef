#pragma once
// PeerEntry: one row of a module's peer-to-peer table, 12 bytes, the same in
// the module and on the wire:
//
//   0      device    RX/WX device number of the peer (0-90)
//   1      kind      2 the module family's own protocol ("TRAX"), 1 Modbus/TCP
//   2..5   ip        first octet first
//   6..7   port      little-endian (Modbus/TCP peers)
//   8      unit      Modbus unit ID (Modbus/TCP peers)
//   9..11  reserved  kept exactly as read
//
// A default-constructed entry holds the values a new entry starts with in
// the peer dialog: device 1, Modbus/TCP, 192.168.1.1, port 502, unit 255.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "orvane/protocol/module_record.h"

namespace orvane {

inline constexpr std::uint8_t kPeerKindModbusTcp = 1;
inline constexpr std::uint8_t kPeerKindTrax = 2;

struct PeerEntry {
  std::uint8_t device = 1;
  std::uint8_t kind = kPeerKindModbusTcp;
  Ipv4Bytes ip{192, 168, 1, 1};
  std::uint16_t port = 502;
  std::uint8_t unit = 255;
  std::array<std::uint8_t, 3> reserved{};

  friend bool operator==(const PeerEntry&, const PeerEntry&) = default;
};

inline constexpr std::size_t kPeerDevice = 0;
inline constexpr std::size_t kPeerKind = 1;
inline constexpr std::size_t kPeerIp = 2;
inline constexpr std::size_t kPeerPort = 6;
inline constexpr std::size_t kPeerUnit = 8;
inline constexpr std::size_t kPeerReserved = 9;
inline constexpr std::size_t kPeerEntryBytes = 12;
static_assert(kPeerIp == kPeerKind + 1 && kPeerPort == kPeerIp + 4);
static_assert(kPeerUnit == kPeerPort + 2 && kPeerReserved == kPeerUnit + 1);
static_assert(kPeerEntryBytes == kPeerReserved + std::tuple_size_v<decltype(PeerEntry::reserved)>);

// The table limit of the module and of the peer dialog.
inline constexpr std::size_t kMaxPeerEntries = 30;

// ReadPeerTable reply: byte 4 the count, entry i at 5 + 12 x i.
inline constexpr std::size_t kPeerReplyCount = 4;
inline constexpr std::size_t kPeerReplyEntries = 5;

std::array<std::uint8_t, kPeerEntryBytes> peerEntryBytes(const PeerEntry& entry);
// Bytes beyond the end of `bytes` read as 0.
PeerEntry peerEntryFrom(std::span<const std::uint8_t> bytes);

// The WritePeerTable payload after the MAC: the count, then every entry.
// Nothing when there are more than 30 entries.
std::optional<std::vector<std::uint8_t>> peerTablePayload(std::span<const PeerEntry> entries);

// The entries of a ReadPeerTable reply. A reply that announces more than 30
// entries gives the first 30: the module's table and the dialog hold no more.
// Entries the reply is too short to hold read as zero bytes, as they would
// from the zero-filled receive buffer.
std::vector<PeerEntry> takePeerTableReply(std::span<const std::uint8_t> reply);

}  // namespace orvane
