#include "peer_rows.h"

#include <algorithm>
#include <cstdio>

#include "orvane/forms/text_input.h"

namespace orvane::forms {
namespace {

constexpr std::size_t kIpPrefix = 5;     // "IP = "
constexpr std::size_t kPortPrefix = 8;   // " Port = "
constexpr std::size_t kUnitPrefix = 11;  // " Unit ID = "

std::u16string_view dropFront(std::u16string_view text, std::size_t n) {
  return text.substr(std::min(n, text.size()));
}

// The address split at "." into up to four fields, each read as a number
// into one byte.
void readIp(std::u16string_view text, PeerConfig& config) {
  for (std::size_t i = 0; i < config.ip.size(); ++i) {
    const auto dot = text.find(u'.');
    config.ip[i] = static_cast<std::uint8_t>(readInt(text.substr(0, dot)));
    if (dot == std::u16string_view::npos) return;
    text.remove_prefix(dot + 1);
  }
}

// The first "," at position 2 or more: the split point of the Modbus/TCP form.
std::optional<std::size_t> splitAt(std::u16string_view text) {
  const auto comma = text.find(u',');
  if (comma == std::u16string_view::npos || comma < 2) return std::nullopt;
  return comma;
}

PeerConfig parseModbus(std::u16string_view text, std::size_t first) {
  const auto part1 = text.substr(0, first);
  const auto rest = text.substr(first + 1);
  const auto second = splitAt(rest);
  if (rest.empty() || !second) return {};
  const auto part2 = rest.substr(0, *second);
  const auto part3 = rest.substr(*second + 1);
  if (part1.size() < kIpPrefix || part2.size() < kPortPrefix || part3.size() < kUnitPrefix)
    return {};
  PeerConfig config;
  config.form = PeerConfig::Form::ModbusTcp;
  readIp(part1.substr(kIpPrefix), config);
  config.port = static_cast<std::uint16_t>(readInt(part2.substr(kPortPrefix)));
  config.unit = static_cast<std::uint8_t>(readInt(part3.substr(kUnitPrefix)));
  return config;
}

}  // namespace

PeerRow peerRow(const PeerEntry& e) {
  char config[64];
  if (e.kind == kPeerKindTrax)
    std::snprintf(config, sizeof config, "IP = %d.%d.%d.%d", e.ip[0], e.ip[1], e.ip[2], e.ip[3]);
  else
    std::snprintf(config, sizeof config, "IP = %d.%d.%d.%d, Port = %d, Unit ID = %d", e.ip[0],
                  e.ip[1], e.ip[2], e.ip[3], e.port, e.unit);
  return {std::to_string(e.device), e.kind == kPeerKindTrax ? "TRAX" : "Modbus/TCP", config};
}

PeerConfig parsePeerConfig(std::string_view utf8) {
  const auto text = toUtf16(utf8);
  if (text.empty()) return {};
  if (const auto first = splitAt(text)) return parseModbus(text, *first);
  PeerConfig config;
  config.form = PeerConfig::Form::Trax;
  readIp(dropFront(text, kIpPrefix), config);
  return config;
}

bool applyPeerRow(const PeerRow& row, PeerEntry& entry) {
  entry.device = static_cast<std::uint8_t>(readInt(row.device));
  const auto config = parsePeerConfig(row.config);
  if (config.form == PeerConfig::Form::Invalid) return false;
  for (std::size_t i = 0; i < config.ip.size(); ++i)
    if (config.ip[i]) entry.ip[i] = *config.ip[i];
  if (config.form == PeerConfig::Form::Trax) {
    entry.kind = kPeerKindTrax;
    return true;
  }
  entry.kind = kPeerKindModbusTcp;
  entry.port = config.port;
  entry.unit = config.unit;
  return true;
}

EditedPeer entryForEdit(const PeerRow& row) {
  EditedPeer edited;
  edited.parsed = applyPeerRow(row, edited.entry);
  return edited;
}

std::vector<PeerEntry> peerEntriesFromRows(std::span<const PeerRow> rows,
                                           std::span<const PeerEntry> opened) {
  std::array<PeerEntry, kMaxPeerEntries> entries{};
  std::copy_n(opened.begin(), std::min(opened.size(), entries.size()), entries.begin());
  const std::size_t count = std::min(rows.size(), entries.size());
  for (std::size_t i = 0; i < count; ++i) applyPeerRow(rows[i], entries[i]);
  return {entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(count)};
}

}  // namespace orvane::forms
