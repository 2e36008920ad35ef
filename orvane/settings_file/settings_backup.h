#pragma once
// The backup taken before every write to a module: the module's settings,
// read afresh over the link, saved as a settings file in the per-user backup
// directory, named after the MAC and the time (UTC):
//
//   <directory>/00-11-22-33-44-55_20261207T183012Z.json   (_2, _3 ... when taken
//                                                         within the same second)
//
// so that `load` can always undo a wrong change. It is the link's write
// guard (write_guard.h), so no write path can go around it.
//
// When the backup cannot be taken (the module does not answer a read, the
// directory cannot be written), the write is not simply made: the prompt
// asks, with the reason, whether to write without a backup (caption "警告",
// OK/Cancel); anything but OK refuses the write. The editor asks its user;
// orvane-cli's prompt cannot ask and refuses.
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>

#include "orvane/protocol/module_link.h"
#include "orvane/protocol/prompt.h"
#include "orvane/protocol/write_guard.h"
#include "orvane/settings_file/module_settings.h"

namespace orvane::settings_file {

// The three sections of a module, read with ReadBasicSettings,
// ReadAdvancedSettings and ReadPeerTable; nothing when a read fails.
std::optional<ModuleSettings> readModuleSettings(ModuleLink& link, const ModuleAddress& module);

// $XDG_STATE_HOME/trax/backups, else $HOME/.local/state/trax/backups, else
// (Windows) %LOCALAPPDATA%/trax/backups; empty when none of them is set.
std::filesystem::path defaultBackupDirectory();

// The backup file's name for a MAC and a time, without the _N of a repeat.
std::string backupFileStem(const MacAddress& mac, std::chrono::system_clock::time_point time);

class SettingsBackup final : public WriteGuard {
 public:
  using Clock = std::function<std::chrono::system_clock::time_point()>;

  SettingsBackup(std::filesystem::path directory, Prompt& prompt,
                 Clock clock = [] { return std::chrono::system_clock::now(); });

  bool beforeWrite(ModuleLink& link, CommandCode code, const ModuleAddress& to) override;

  // Saves the settings as the next backup file; the reason when it failed.
  std::string save(const ModuleSettings& settings);

  // The file the last backup was written to; empty before the first.
  std::filesystem::path lastBackup() const;

 private:

  std::filesystem::path directory_;
  Prompt& prompt_;
  Clock clock_;
  mutable std::mutex mutex_;  // backups come from the UI thread and the worker
  std::filesystem::path lastBackup_;  // guarded by mutex_
};

}  // namespace orvane::settings_file
