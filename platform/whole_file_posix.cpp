#include "whole_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

FileContents failed(std::error_code error) {
  FileContents contents;
  contents.status = FileContents::Status::Failed;
  contents.error = error;
  return contents;
}

// The file type decides before anything is opened: opening a FIFO for
// reading waits for a writer, and opening a device may act on it.
FileContents nonRegular(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return failed({EISDIR, std::generic_category()});
  FileContents contents;
  contents.status = FileContents::Status::NotRegular;
  return contents;
}

std::error_code writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return lastError();
    if (n == 0) return std::make_error_code(std::errc::io_error);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

// The new file takes the old one's mode and, where permitted, its owner.
void copyOwnership(int fd, const std::filesystem::path& from) {
  struct stat st {};
  if (::stat(from.c_str(), &st) != 0) return;
  ::fchmod(fd, st.st_mode & 07777);
  if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
    // Only the owner or an administrator may give a file away; the mode holds.
  }
}

}  // namespace

FileContents readRegularFile(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return failed(lastError());
  }
  if (!S_ISREG(st.st_mode)) return nonRegular(st);
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? FileContents{} : failed(lastError());
  FileContents contents;
  // Replaced between stat and open by something else: judged again.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    contents = S_ISREG(st.st_mode) ? failed(lastError()) : nonRegular(st);
    ::close(fd);
    return contents;
  }
  contents.status = FileContents::Status::Read;
  char buffer[8192];
  for (;;) {
    const auto n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) contents = failed(lastError());
    if (n <= 0) break;
    contents.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return contents;
}

std::error_code replaceFileContents(const std::filesystem::path& file, std::string_view bytes) {
  auto temporary = file;
  temporary += ".tmp";
  ::unlink(temporary.c_str());  // left by a writer that died half-way
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return lastError();
  copyOwnership(fd, file);
  auto error = writeAll(fd, bytes);
  if (!error && ::fsync(fd) != 0) error = lastError();
  if (::close(fd) != 0 && !error) error = lastError();
  if (!error && ::rename(temporary.c_str(), file.c_str()) != 0) error = lastError();
  if (error) ::unlink(temporary.c_str());
  return error;
}

InterProcessLock::InterProcessLock(const std::filesystem::path& lockFile) {
  fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) fd_ = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);  // another user's lock file
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    ::close(fd_);
    fd_ = -1;
    return;
  }
}

InterProcessLock::~InterProcessLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace platform
