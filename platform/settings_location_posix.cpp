#include "settings_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path copyPath(const fs::path& file, const fs::path& copyRoot) {
  std::error_code ec;
  auto absolute = fs::weakly_canonical(fs::absolute(file, ec), ec);
  if (ec) absolute = fs::absolute(file);
  return copyRoot / absolute.relative_path();
}

bool writableWhereItIs(const fs::path& file) {
  if (::access(file.parent_path().c_str(), W_OK) != 0) return false;
  return ::access(file.c_str(), F_OK) != 0 || ::access(file.c_str(), W_OK) == 0;
}

bool makeCopy(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::create_directories(to.parent_path(), ec);
  if (ec) return false;
  if (fs::exists(from, ec)) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) return false;
    // The installed file is read-only; its copy is the user's to write.
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    return true;
  }
  // An empty file reads as a missing one, and marks that the copy was made.
  return std::ofstream(to).good();
}

}  // namespace

SettingsFile settingsFile(const fs::path& file, const fs::path& copyRoot, bool writable) {
  std::error_code ec;
  const auto copy = copyPath(file, copyRoot);
  if (fs::exists(copy, ec)) return {copy, false};
  if (writable || !fs::is_directory(file.parent_path(), ec)) return {file, false};
  if (!makeCopy(file, copy)) return {file, false};
  return {copy, true};
}

SettingsFile settingsFile(const fs::path& file) {
  return settingsFile(file, settingsCopyRoot(), writableWhereItIs(file));
}

fs::path settingsCopyRoot() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
    return fs::path(xdg) / "trax";
  }
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* user = ::getpwuid(::getuid());
    home = user ? user->pw_dir : "/tmp";
  }
  return fs::path(home) / ".config" / "trax";
}

std::string settingsCopyNotice(const fs::path& copy) {
  return "程序目录不可写入，设置已复制到 " + copy.string() + "，此后从该文件读取和保存。";
}

}  // namespace platform
