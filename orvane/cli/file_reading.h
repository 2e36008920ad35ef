#pragma once
// Files named on the command line or in Lumen_.ini, read without waiting: a
// FIFO, a socket or a device is refused at once instead of blocking the
// command (platform::readRegularFile). The reasons are for messages.
#include <cstdint>
#include <filesystem>
#include <string>

namespace orvane::cli {

struct FileRead {
  std::string bytes;
  std::string problem;  // empty when read; else "文件不存在: PATH" or "无法读取文件: PATH: reason"
};

FileRead readFile(const std::filesystem::path& path);

// Why `path` cannot be read, as readFile says it; empty when it can. A
// regular file above `sizeLimit` bytes is not read for the question (its
// reader judges its size).
std::string fileProblem(const std::filesystem::path& path, std::uintmax_t sizeLimit);

}  // namespace orvane::cli
