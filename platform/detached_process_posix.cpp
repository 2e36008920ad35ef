// Two forks: the middle process starts its own session, starts the program
// and ends at once, so the program is never the caller's child (no zombie
// to reap, no signal to the caller's group reaches it). Between fork and
// exec only async-signal-safe calls: the editor has other threads.
#include "detached_process.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace platform {
namespace {

// In the grandchild: exec, or report errno through the pipe.
[[noreturn]] void execProgram(const char* program, const char* directory, int reportFd) {
  int error = 0;
  if (::chdir(directory) != 0) {
    error = errno;
  } else {
    char* const argv[] = {const_cast<char*>(program), nullptr};
    ::execv(program, argv);
    error = errno;
  }
  [[maybe_unused]] const auto written = ::write(reportFd, &error, sizeof error);
  ::_exit(127);
}

}  // namespace

std::filesystem::path executableFileName(std::string_view baseName) {
  return std::filesystem::path(std::string(baseName));
}

bool startDetached(const std::filesystem::path& program, const std::filesystem::path& directory) {
  const std::string programText = program.string();
  const std::string directoryText = directory.string();
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t middle = ::fork();
  if (middle < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (middle == 0) {
    ::close(report[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) execProgram(programText.c_str(), directoryText.c_str(), report[1]);
    ::_exit(grandchild < 0 ? 1 : 0);
  }
  ::close(report[1]);
  int status = 0;
  while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  // End of file without a word: the exec succeeded (the pipe closed on exec).
  int error = 0;
  ssize_t got;
  while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  ::close(report[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

}  // namespace platform
