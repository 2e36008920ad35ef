#pragma once
// Whole-file reads and replacements, and a lock between processes: what the
// private-profile files need from the operating system.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace platform {

struct FileContents {
  enum class Status { Read, Missing, NotRegular, Failed };
  Status status = Status::Missing;
  std::string bytes;       // Read: the whole file
  std::error_code error;   // Failed: the system error at the moment of failure
};

// The whole of a regular file. Never waits: a FIFO, socket or device is
// NotRegular at once and is not opened; a directory fails with EISDIR.
FileContents readRegularFile(const std::filesystem::path& file);

// Replaces `file` with `bytes` in one step: the bytes go to a file beside it
// ("<name>.tmp"), which is then renamed over it, so a reader finds the old
// file or the new one, never part of one. The replaced file's permissions are
// kept. Callers serialise the replacements of one file (see ProfileWriteLock).
std::error_code replaceFileContents(const std::filesystem::path& file, std::string_view bytes);

// An exclusive advisory lock on `lockFile` (created when missing), held
// between processes while the object lives; construction waits for it. The
// lock file is never the data file: a lock on a file renamed over is lost.
// Without a lock file (a directory that cannot be written) nothing is held.
class InterProcessLock {
 public:
  explicit InterProcessLock(const std::filesystem::path& lockFile);
  ~InterProcessLock();
  InterProcessLock(const InterProcessLock&) = delete;
  InterProcessLock& operator=(const InterProcessLock&) = delete;

  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace platform
