#include "settings_backup.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "orvane/protocol/row_format.h"
#include "orvane/protocol/settings_requests.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/settings_file/settings_document.h"

namespace orvane::settings_file {
namespace {

std::filesystem::path fromEnvironment(const char* name, const char* below) {
  const char* value = std::getenv(name);
  if (!value || !*value) return {};
  return std::filesystem::path(value) / below / "trax" / "backups";
}

long processId() {
#ifdef _WIN32
  return _getpid();
#else
  return ::getpid();
#endif
}

// Unique among every saver on the machine: other processes (a second
// orvane-cli, the editor) back up the same module in the same second.
std::filesystem::path partialName(const std::filesystem::path& directory, const std::string& stem) {
  static std::atomic<unsigned> counter{0};
  return directory / (stem + '.' + std::to_string(processId()) + '-' + std::to_string(++counter) + ".part");
}

bool writeWhole(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace

std::optional<ModuleSettings> readModuleSettings(ModuleLink& link, const ModuleAddress& module) {
  ModuleSettings settings;
  settings.basic.mac = settings.advanced.mac = module.mac;
  if (!link.readBasicSettings(module, settings.basic) ||
      !readAdvancedSettings(link, settings.advanced, module.interfaceName) ||
      !readPeerTable(link, module, settings.peers))
    return std::nullopt;
  return settings;
}

std::filesystem::path defaultBackupDirectory() {
  for (const auto& [name, below] : {std::pair{"XDG_STATE_HOME", ""}, std::pair{"HOME", ".local/state"},
                                    std::pair{"LOCALAPPDATA", ""}})
    if (auto dir = fromEnvironment(name, below); !dir.empty()) return dir.lexically_normal();
  return {};
}

std::string backupFileStem(const MacAddress& mac, std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto day = floor<days>(time);
  const year_month_day date(day);
  const hh_mm_ss clock(floor<seconds>(time - day));
  auto name = dashedMacText(mac);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "_%04d%02u%02uT%02d%02d%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return name + stamp;
}

SettingsBackup::SettingsBackup(std::filesystem::path directory, Prompt& prompt, Clock clock)
    : directory_(std::move(directory)), prompt_(prompt), clock_(std::move(clock)) {}

std::filesystem::path SettingsBackup::lastBackup() const {
  std::lock_guard lock(mutex_);
  return lastBackup_;
}

bool SettingsBackup::beforeWrite(ModuleLink& link, CommandCode, const ModuleAddress& to) {
  std::string reason;
  if (const auto settings = readModuleSettings(link, to)) reason = save(*settings);
  else reason = "无法读取模块 " + macText(to.mac) + " 的当前设置";
  if (reason.empty()) return true;
  const auto text = "写入模块之前无法保存其设置的备份：\n" + reason + "\n仍然写入模块吗？";
  return prompt_.messageBox(text, texts::kCaptionWarning, MessageIcon::Warning,
                            MessageButtons::OkCancel) == MessageAnswer::Ok;
}

// Written under a name of its own and then linked to the first free backup
// name, so a backup file is whole or absent, never cut short, and a second
// saver taking the same name is refused by the file system (the link fails)
// instead of being overwritten.
std::string SettingsBackup::save(const ModuleSettings& settings) {
  if (directory_.empty()) return "没有备份目录（XDG_STATE_HOME 与 HOME 均未设置）";
  std::error_code error;
  std::filesystem::create_directories(directory_, error);
  if (error) return directory_.string() + ": " + error.message();
  const auto stem = backupFileStem(settings.basic.mac, clock_());
  const auto partial = partialName(directory_, stem);
  if (!writeWhole(partial, writeSettingsDocument(settings))) {
    std::filesystem::remove(partial, error);
    return partial.string() + ": 写入失败";
  }
  auto path = directory_ / (stem + ".json");
  for (int n = 2;; ++n) {
    std::filesystem::create_hard_link(partial, path, error);
    if (error != std::errc::file_exists) break;
    path = directory_ / (stem + '_' + std::to_string(n) + ".json");
  }
  std::error_code ignored;
  std::filesystem::remove(partial, ignored);
  if (error) return path.string() + ": " + error.message();
  std::lock_guard lock(mutex_);
  lastBackup_ = path;
  return {};
}

}  // namespace orvane::settings_file
