// The peer dialog's row texts under arbitrary input: the parse of the "配置"
// column and of the device number, applied onto entries as OK and the edit
// do it. Whatever parses must also survive the round trip through the row
// text of the entry it gave.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "orvane/forms/peer_rows.h"

using namespace orvane;
using namespace orvane::forms;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto cut = text.find('\n');
  PeerRow row;
  row.device = std::string(text.substr(0, cut == std::string_view::npos ? 0 : cut));
  row.config = std::string(cut == std::string_view::npos ? text : text.substr(cut + 1));

  const auto edited = entryForEdit(row);
  PeerEntry entry;
  if (applyPeerRow(row, entry) != edited.parsed) std::abort();
  if (edited.parsed) {
    // The row text of a parsed entry reads back as that entry.
    const auto again = entryForEdit(peerRow(edited.entry));
    if (!again.parsed) std::abort();
    auto expected = edited.entry;
    if (expected.kind == kPeerKindTrax) expected.port = 502, expected.unit = 255;
    if (again.entry != expected) std::abort();
  }
  const PeerRow rows[] = {row, row};
  if (peerEntriesFromRows(rows, {}).size() != 2) std::abort();
  return 0;
}
