#pragma once
// Everything a settings file holds of one module: the basic settings as
// ReadBasicSettings gives them, the advanced settings and the peer table.
// The sections that `load` writes, and which fields of them identify a
// module, are decided here, so that the command line, the editor and a
// batch treat a file alike.
#include <string>
#include <vector>

#include "orvane/protocol/advanced_settings.h"
#include "orvane/protocol/module_record.h"
#include "orvane/protocol/peer_entry.h"

namespace orvane::settings_file {

struct ModuleSettings {
  // mac and the fields of ReadBasicSettings; the rest stays as reset.
  ModuleRecord basic;
  AdvancedSettings advanced;  // mac set to basic.mac
  std::vector<PeerEntry> peers;

  friend bool operator==(const ModuleSettings&, const ModuleSettings&) = default;
};

enum class Section { Basic, Advanced, Peers };

// What a load onto `target` would leave there: the file's settings, except
// that what identifies a module stays the target's own unless the file was
// saved from that module or `copyIdentity` is set. Identity: the MAC (never
// copied), the module ID, the name and the manual IP address; on a module
// that fixes its own ID, that ID. Fields a write cannot change (fixedId, the
// addresses in use, the advanced block's reserved values) stay the target's.
ModuleSettings settingsAfterLoad(const ModuleSettings& target, const ModuleSettings& file,
                                 bool copyIdentity);

// One field whose value a load changes, as the user reads it: the section,
// the field's key in the settings file ("name", "peers[2].ip") and both
// values as text (texts in UTF-8, in double quotes).
struct FieldChange {
  Section section;
  std::string field;
  std::string before;
  std::string after;
};

// The fields a write of each section sends, compared field by field; peer
// entries position by position, an entry only one side has as a whole.
std::vector<FieldChange> settingsChanges(const ModuleSettings& before, const ModuleSettings& after);
bool sectionDiffers(const std::vector<FieldChange>& changes, Section section);
// "basic.name: "old" → "new"" (peer entries by their own key, "peers[2].ip: ...").
std::string changeText(const FieldChange& change);

// "basic", "advanced", "peers": the section's key in the settings file.
std::string_view sectionKey(Section section);

}  // namespace orvane::settings_file
