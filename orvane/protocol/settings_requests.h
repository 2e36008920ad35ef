#pragma once
// The settings requests of the editor over the network: basic settings
// write, advanced settings read and write, peer table read and write, and
// factory restore. Each builds its frame with the one frame builder, uses the
// receive buffer and time-out of the command table, and goes through
// ModuleLink, which sets the status text on every failure.
//
// Reads copy into the caller's structure only when the exchange succeeded.
// Writes succeed only when the exchange succeeded and reply byte 4 is 0.
#include <span>
#include <string>
#include <vector>

#include "orvane/protocol/advanced_settings.h"
#include "orvane/protocol/module_link.h"
#include "orvane/protocol/module_record.h"
#include "orvane/protocol/peer_entry.h"

namespace orvane {

// WriteBasicSettings payload after the MAC (frame bytes 10-346): moduleId,
// name and description bytes 0-63 and 0-255, addressMode and the three
// manual addresses. fixedId and the addresses in use are not sent.
inline constexpr std::size_t kBasicWritePayloadBytes = 337;
std::array<std::uint8_t, kBasicWritePayloadBytes> basicSettingsPayload(const ModuleRecord& record);

bool writeBasicSettings(ModuleLink& link, const ModuleRecord& record);

// `settings.mac` names the module, `interfaceName` the interface it answered
// on (ModuleAddress); the other fields are replaced on success.
bool readAdvancedSettings(ModuleLink& link, AdvancedSettings& settings,
                          const std::string& interfaceName = {});
bool writeAdvancedSettings(ModuleLink& link, const AdvancedSettings& settings,
                           const std::string& interfaceName = {});

// At most 30 entries are taken, whatever the reply announces.
bool readPeerTable(ModuleLink& link, const ModuleAddress& to, std::vector<PeerEntry>& entries);
// More than 30 entries are refused before anything is sent.
bool writePeerTable(ModuleLink& link, const ModuleAddress& to, std::span<const PeerEntry> entries);

bool restoreFactorySettings(ModuleLink& link, const ModuleAddress& to);

}  // namespace orvane
