#pragma once
// Orvane's configuration store: the file Lumen_.ini in the program directory,
// section "App". Absent keys read as empty text or 0. Where the program
// directory is read-only the file is the user's own copy (settings_location.h),
// while the firmware image is still looked for in the program directory.
#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

class ConfigStore {
 public:
  explicit ConfigStore(std::filesystem::path iniFile);  // data files beside it
  ConfigStore(std::filesystem::path iniFile, std::filesystem::path dataDirectory);
  // <program directory>/Lumen_.ini, or the user's copy of it.
  static ConfigStore inProgramDirectory();

  std::string readText(std::string_view key) const;  // at most 999 characters
  bool writeText(std::string_view key, std::string_view value) const;
  int readInt(std::string_view key) const;
  bool writeInt(std::string_view key, int value) const;  // written as "%d"

  const std::filesystem::path& file() const { return file_; }
  // Where FirmwareFileName and the other data files named in the store lie:
  // beside the file ("." for a bare file name, so that names joined to it stay
  // relative to the working folder), or the program directory for its store.
  const std::filesystem::path& directory() const { return directory_; }
  // Set when this store's making copied Lumen_.ini for the user: tell the
  // user once (platform::settingsCopyNotice).
  bool copyMadeNow() const { return copyMadeNow_; }

 private:
  std::filesystem::path file_;
  std::filesystem::path directory_;
  bool copyMadeNow_ = false;
};

}  // namespace orvane
