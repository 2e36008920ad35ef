#pragma once
// Orvane's configuration store: the file Lumen_.ini in the program directory,
// section "App". Absent keys read as empty text or 0.
#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

class ConfigStore {
 public:
  explicit ConfigStore(std::filesystem::path iniFile);
  static ConfigStore inProgramDirectory();  // <program directory>/Lumen_.ini

  std::string readText(std::string_view key) const;  // at most 999 characters
  bool writeText(std::string_view key, std::string_view value) const;
  int readInt(std::string_view key) const;
  bool writeInt(std::string_view key, int value) const;  // written as "%d"

  const std::filesystem::path& file() const { return file_; }
  // The folder the file lies in; "." for a bare file name, so that names
  // joined to it (the firmware image) stay relative to the working folder.
  std::filesystem::path directory() const {
    return file_.has_parent_path() ? file_.parent_path() : std::filesystem::path(".");
  }

 private:
  std::filesystem::path file_;
};

}  // namespace orvane
