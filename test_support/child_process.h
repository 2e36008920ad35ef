#pragma once
// Starts a program of the suite (a simulator, the CLI) for a test, reads its
// standard output line by line, and stops it when the test ends.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace test_support {

class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    if (::pipe(out) != 0) return;
    // A simulator's wire log is read only when a test looks at it; a large
    // pipe keeps a long run (forty modules, each write backed up) from
    // blocking the child on a full pipe meanwhile.
    ::fcntl(out[0], F_SETPIPE_SZ, 1 << 20);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> argv;
      argv.push_back(const_cast<char*>(program.c_str()));
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(program.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    stdout_ = ::fdopen(out[0], "r");
  }
  ~ChildProcess() { stop(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool running() const { return pid_ > 0; }

  // The next line of the child's standard output, without its newline;
  // nothing when the child closed it.
  std::optional<std::string> readLine() {
    if (!stdout_) return std::nullopt;
    char buffer[4096];
    if (!std::fgets(buffer, sizeof buffer, stdout_)) return std::nullopt;
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
  }

  // Reads lines until one starts with `prefix`; returns the rest of it.
  std::optional<std::string> waitForLine(const std::string& prefix, int maxLines = 200) {
    for (int i = 0; i < maxLines; ++i) {
      auto line = readLine();
      if (!line) return std::nullopt;
      if (line->rfind(prefix, 0) == 0) return line->substr(prefix.size());
    }
    return std::nullopt;
  }

  // Exit status after SIGTERM (or after the child ended by itself).
  int stop() {
    int status = 0;
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, &status, 0);
      pid_ = -1;
    }
    if (stdout_) {
      std::fclose(stdout_);
      stdout_ = nullptr;
    }
    return status;
  }

 private:
  pid_t pid_ = -1;
  std::FILE* stdout_ = nullptr;
};

}  // namespace test_support
