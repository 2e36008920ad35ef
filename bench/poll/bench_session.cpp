#include "bench/poll/bench_session.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "common/help_and_version.h"

namespace bench {

tessor::PromptAnswer SilentPrompt::ask(const tessor::PromptMessage& m) {
  std::fprintf(stderr, "message: %s\n", m.text.c_str());
  return tessor::PromptAnswer::Ok;
}

LoopbackSession::LoopbackSession(int format)
    : format_(format), session_(tessor::linkedQuorra(), table_, prompt_, fields_) {}

bool LoopbackSession::connect(std::uint16_t port) {
  tessor::ConnectionFields connection;
  connection.ip = {127, 0, 0, 1};
  connection.port = port;
  connection.timeout = 10;
  if (!session_.Connect(connection)) return false;
  session_.setFields({"R2000", "100", format_});
  return true;
}

std::uint16_t serverPort(test_support::ChildProcess& server) {
  const auto line = server.waitForLine("PORT ", 20);
  if (!line) return 0;
  std::istringstream in(*line);
  int port = 0;
  in >> port;
  return static_cast<std::uint16_t>(port);
}

BenchArguments benchArguments(int argc, char** argv, const char* program, const char* usage) {
  BenchArguments arguments;
  if ((arguments.exitStatus = trax::answerHelpOrVersion(argc, argv, program, usage))) return arguments;
  if (argc == 3 && std::strcmp(argv[1], "--seconds") == 0) arguments.seconds = std::atoi(argv[2]);
  if ((argc != 1 && argc != 3) || arguments.seconds < 1 || arguments.seconds > 10) {
    std::fputs(usage, stderr);
    arguments.exitStatus = 2;
  }
  return arguments;
}

}  // namespace bench
