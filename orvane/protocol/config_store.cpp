#include "config_store.h"

#include "platform/ini_file.h"
#include "platform/program_dir.h"
#include "platform/settings_location.h"

namespace orvane {
namespace {
constexpr std::string_view kSection = "App";
constexpr std::size_t kMaxTextLength = 999;
}  // namespace

ConfigStore::ConfigStore(std::filesystem::path iniFile)
    : file_(std::move(iniFile)),
      directory_(file_.has_parent_path() ? file_.parent_path() : std::filesystem::path(".")) {}

ConfigStore::ConfigStore(std::filesystem::path iniFile, std::filesystem::path dataDirectory)
    : file_(std::move(iniFile)), directory_(std::move(dataDirectory)) {}

ConfigStore ConfigStore::inProgramDirectory() {
  const auto directory = platform::programDirectory();
  const auto settings = platform::settingsFile(directory / "Lumen_.ini");
  ConfigStore store(settings.path, directory);
  store.copyMadeNow_ = settings.copyMadeNow;
  return store;
}

std::string ConfigStore::readText(std::string_view key) const {
  return platform::readProfileString(file_, kSection, key, "", kMaxTextLength);
}

bool ConfigStore::writeText(std::string_view key, std::string_view value) const {
  return platform::writeProfileString(file_, kSection, key, value);
}

int ConfigStore::readInt(std::string_view key) const {
  return platform::readProfileInt(file_, kSection, key, 0);
}

bool ConfigStore::writeInt(std::string_view key, int value) const {
  return writeText(key, std::to_string(value));
}

}  // namespace orvane
