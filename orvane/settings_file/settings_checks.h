#pragma once
// The dialogs' OK checks over a whole settings file, section by section in
// the order the editor would show the dialogs: the basic settings dialog
// (name, description, module ID, IP address), the advanced settings dialog
// (master, then slave time-out), the peer dialog's limit of 30 entries and
// the add-device dialog's checks of each entry. The first failure, with the
// dialog's own message, refuses the file.
#include <string_view>

#include "orvane/protocol/prompt.h"
#include "orvane/settings_file/module_settings.h"

namespace orvane::settings_file {

struct SettingsRefusal {
  Section section = Section::Basic;
  std::string_view message;  // empty: every check passed
  std::string_view caption;  // "错误", or "警告" for more than 30 entries
  int entry = 0;             // the peer entry (from 1) that failed its check

  bool ok() const { return message.empty(); }
};

SettingsRefusal checkModuleSettings(const ModuleSettings& settings);

// The refusal's box, as the dialog that refused would show it.
void showRefusal(Prompt& prompt, const SettingsRefusal& refusal);

}  // namespace orvane::settings_file
