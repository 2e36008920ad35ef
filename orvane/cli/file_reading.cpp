#include "file_reading.h"

#include <system_error>

#include "platform/whole_file.h"

namespace orvane::cli {

FileRead readFile(const std::filesystem::path& path) {
  auto contents = platform::readRegularFile(path);
  using Status = platform::FileContents::Status;
  switch (contents.status) {
    case Status::Read: return {std::move(contents.bytes), {}};
    case Status::Missing: return {{}, "文件不存在: " + path.string()};
    case Status::NotRegular: return {{}, "无法读取文件: " + path.string() + ": 不是普通文件"};
    case Status::Failed: break;
  }
  return {{}, "无法读取文件: " + path.string() + ": " + contents.error.message()};
}

std::string fileProblem(const std::filesystem::path& path, std::uintmax_t sizeLimit) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);  // no open: a FIFO stays untouched
  if (!error && size > sizeLimit) return {};
  return readFile(path).problem;
}

}  // namespace orvane::cli
