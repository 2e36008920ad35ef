#pragma once
// What the settings subcommands print: a module's basic settings, its
// advanced settings and its peer table, as text (one "label: value" line
// each, the labels of the dialogs) or as JSON.
#include <span>
#include <string>

#include "orvane/protocol/advanced_settings.h"
#include "orvane/protocol/module_record.h"
#include "orvane/protocol/peer_entry.h"

namespace orvane::cli {

// JSON keys: "mac", "fixedId", "moduleId", "name", "description",
// "addressMode" ("manual" or "auto"), "ipAddress", "subnetMask", "gateway",
// "currentIp", "currentMask", "currentGateway". The text form prints the
// module's name and description on one line each (terminal_text.h); the
// JSON form keeps them exact.
std::string basicSettingsText(const ModuleRecord& record);
std::string basicSettingsJson(const ModuleRecord& record);

// JSON keys: "mac", "masterTimeoutMs", "slaveTimeoutSec", "reservedA",
// "reservedB", "reservedByte".
std::string advancedSettingsText(const AdvancedSettings& settings);
std::string advancedSettingsJson(const AdvancedSettings& settings);

// Text: the three columns of the peer dialog, tab-separated, one entry a
// line. JSON: the format `peers --set` reads (see README.md); TRAX entries
// without "port" and "unit".
std::string peerTableText(std::span<const PeerEntry> entries);
std::string peerTableJson(std::span<const PeerEntry> entries);

}  // namespace orvane::cli
