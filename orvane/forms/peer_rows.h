#pragma once
// The rows of the peer-to-peer dialog. While CDlgP2PConfig is open its list
// rows are the working copy of the table: the entries become row texts when
// the dialog opens or an entry is added or edited, and the row texts are
// parsed back into entries when a row is edited and when OK is pressed.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "orvane/protocol/peer_entry.h"

namespace orvane::forms {

// Columns "RX/WX设备号", "协议类型", "配置".
struct PeerRow {
  std::string device;  // "%d"
  std::string kind;    // "TRAX" for kind 2, else "Modbus/TCP"
  std::string config;  // "IP = a.b.c.d" (TRAX) or "IP = a.b.c.d, Port = p, Unit ID = u"

  friend bool operator==(const PeerRow&, const PeerRow&) = default;
};

PeerRow peerRow(const PeerEntry& entry);

// The "配置" text read back. The TRAX form is any text without a "," at
// position 2 or more; its address bytes are those the text holds (missing
// ones stay as they were when applied). The Modbus/TCP form needs three
// parts of at least 5, 8 and 11 characters; anything else fails.
struct PeerConfig {
  enum class Form { Invalid, ModbusTcp, Trax } form = Form::Invalid;
  std::array<std::optional<std::uint8_t>, 4> ip;
  std::uint16_t port = 0;  // Modbus/TCP form only
  std::uint8_t unit = 0;   // Modbus/TCP form only
};
PeerConfig parsePeerConfig(std::string_view config);

// One row into an entry, as OK does it: the device number from the row;
// the Modbus/TCP form sets kind 1, address, port and unit ID; the TRAX form
// sets kind 2 and the address and keeps port and unit ID; a text that does
// not parse keeps everything but the device number. False in that case.
bool applyPeerRow(const PeerRow& row, PeerEntry& entry);

// "编辑...": the entry a row gives for the add-device dialog, built on the
// default entry. `parsed` false: the dialog first shows
// "点对点设置参数无效，使用默认值打开对话框！" and opens with the default entry
// and the row's device number.
struct EditedPeer {
  PeerEntry entry;
  bool parsed = false;
};
EditedPeer entryForEdit(const PeerRow& row);

// OK of the peer dialog. The dialog holds 30 entries: those it was opened
// with, then default ones. Row i is applied onto entry i; the result is the
// first (number of rows) entries. The dialog never holds more than 30 rows;
// rows beyond 30 are ignored.
std::vector<PeerEntry> peerEntriesFromRows(std::span<const PeerRow> rows,
                                           std::span<const PeerEntry> opened);

}  // namespace orvane::forms
