#pragma once
// The peer table file of `orvane-cli peers MAC --set FILE`: a JSON array of
// entries, each {"device", "kind", "ip", "port", "unit"} (README.md). Every
// entry goes through the add-device dialog's checks, and the table through
// the peer dialog's limit of 30, so the command line refuses what the
// editor refuses, with the same messages.
#include <string>
#include <string_view>
#include <vector>

#include "orvane/protocol/peer_entry.h"

namespace orvane::cli {

struct PeerFile {
  std::vector<PeerEntry> entries;
  std::string formatError;  // not a file of entries: says where and why
  // The editor's refusal: its message and caption ("警告" for more than 30
  // entries, "错误" for a failed entry check), and the entry (from 1).
  std::string_view refusal;
  std::string_view refusalCaption;
  int refusedEntry = 0;

  bool ok() const { return formatError.empty() && refusal.empty(); }
};

PeerFile readPeerFile(std::string_view json);

}  // namespace orvane::cli
