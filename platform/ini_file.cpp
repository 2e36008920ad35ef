#include "ini_file.h"

#include <map>
#include <memory>
#include <mutex>

#include "whole_file.h"

namespace platform {
namespace {

std::optional<std::string> valueInFile(const std::filesystem::path& file,
                                       std::string_view section, std::string_view key) {
  const auto contents = readRegularFile(file);
  if (contents.status != FileContents::Status::Read) return std::nullopt;
  return findProfileValue(contents.bytes, section, key);
}

// The file a write replaces: through symbolic links, so that the link stays
// and one file has one name for the writers' turns.
std::filesystem::path writeTarget(const std::filesystem::path& file) {
  std::error_code ec;
  auto target = std::filesystem::weakly_canonical(file, ec);
  if (ec) target = std::filesystem::absolute(file, ec);
  return ec ? file : target;
}

// The turn of this process's writers of one file. The lock between processes
// cannot serve here: it need not exclude threads of one process.
std::mutex& writersOf(const std::filesystem::path& target) {
  static std::mutex registryGuard;
  // Guarded by registryGuard; an entry lives as long as the process.
  static std::map<std::filesystem::path, std::unique_ptr<std::mutex>> writers;
  std::lock_guard lock(registryGuard);
  auto& writer = writers[target];
  if (!writer) writer = std::make_unique<std::mutex>();
  return *writer;
}

}  // namespace

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback,
                              std::size_t maxChars) {
  auto result = valueInFile(file, section, key).value_or(std::string(fallback));
  if (maxChars != 0 && result.size() > maxChars) result.resize(maxChars);
  return result;
}

int readProfileInt(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, int fallback) {
  const auto text = valueInFile(file, section, key);
  return text ? parseProfileInt(*text) : fallback;
}

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  const auto target = writeTarget(file);
  std::lock_guard inThisProcess(writersOf(target));
  auto lockFile = target;
  lockFile += ".lock";
  const InterProcessLock betweenProcesses(lockFile);

  const auto contents = readRegularFile(target);
  using Status = FileContents::Status;
  if (contents.status != Status::Read && contents.status != Status::Missing) return false;
  return !replaceFileContents(target, setProfileValue(contents.bytes, section, key, value));
}

}  // namespace platform
