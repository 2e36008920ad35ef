#pragma once
// Settings files (Lumen_.ini, ORVANETEST/Config.ini) belong in the program
// directory. Installed system-wide that directory is read-only for users, so
// each user gets a copy of the file under the XDG configuration directory,
// and from then on that copy is the file read and written.
#include <filesystem>
#include <string>

namespace platform {

struct SettingsFile {
  std::filesystem::path path;  // the file to read and write
  // Set only by the call that made the per-user copy: the moment to tell the
  // user, once, where the settings now live (settingsCopyNotice).
  bool copyMadeNow = false;
};

// `file` is a settings file in the program directory. The per-user copy when
// one exists; else `file` itself when its directory can be written (or does
// not exist, so that a missing ORVANETEST stays missing); else a copy made
// now from `file` (an empty one when `file` is missing), so nothing is lost.
// Orvane and Tessor name Config.ini by different routes and share one copy.
SettingsFile settingsFile(const std::filesystem::path& file);

// The decision above with its inputs given: `copyRoot` holds the per-user
// copies, `writable` says whether `file` may be written where it is.
SettingsFile settingsFile(const std::filesystem::path& file,
                          const std::filesystem::path& copyRoot, bool writable);

// "$XDG_CONFIG_HOME/trax" ($HOME/.config/trax without it). Copies keep the
// program directory's own path below it, so a build tree and an installation
// never share settings.
std::filesystem::path settingsCopyRoot();

// What the user is told, once, when the copy is made.
std::string settingsCopyNotice(const std::filesystem::path& copy);

}  // namespace platform
