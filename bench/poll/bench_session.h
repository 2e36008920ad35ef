#pragma once
// What the polling benchmarks share: Tessor's session on a server of
// 127.0.0.1 with no window around it (messages go to standard error), the port
// a server prints, and the `[--seconds N]` command line.
#include <cstdint>
#include <optional>
#include <string>

#include "tessor/core/modbus_session.h"
#include "test_support/child_process.h"

namespace bench {

class SilentPrompt : public tessor::Prompt {
 public:
  tessor::PromptAnswer ask(const tessor::PromptMessage& m) override;
};

class NoFields : public tessor::RequestView {
 public:
  void selectStartAddress() override {}
  void selectLength() override {}
  void setLengthText(const std::string&) override {}
};

// Connected to 127.0.0.1:port with a 1 s time-out and the fields at 100
// registers from R2000 in `format` (0 octal, 1 decimal, 2 hexadecimal).
class LoopbackSession {
 public:
  explicit LoopbackSession(int format);
  bool connect(std::uint16_t port);
  tessor::ModbusSession& session() { return session_; }
  tessor::Prompt& prompt() { return prompt_; }

 private:
  int format_;
  tessor::DataTable table_;
  SilentPrompt prompt_;
  NoFields fields_;
  tessor::ModbusSession session_;
};

// The port of a server that prints "PORT <port> ..."; 0 when none came.
std::uint16_t serverPort(test_support::ChildProcess& server);

// The seconds per run, 1 to 10 (default 2); or the exit status when the line
// asked for --help or --version (0) or was refused (2, the usage on stderr).
struct BenchArguments {
  int seconds = 2;
  std::optional<int> exitStatus;
};
BenchArguments benchArguments(int argc, char** argv, const char* program, const char* usage);

}  // namespace bench
