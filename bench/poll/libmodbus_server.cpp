// A plain libmodbus server for the polling benchmark: binds 127.0.0.1 on a free
// port, prints "PORT <n>", serves one client at a time, and ends by itself
// after 120 seconds at the latest.
#include <arpa/inet.h>
#include <modbus/modbus.h>
#include <sys/select.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "common/help_and_version.h"

namespace {

const char* const kUsage =
    "usage: bench_modbus_server\n"
    "A libmodbus server for bench_poll on a free port of 127.0.0.1: prints \"PORT n\", serves one\n"
    "client at a time and ends after 120 seconds at the latest.\n"
    "  --help      this text\n"
    "  --version   the suite's version\n";

}  // namespace

int main(int argc, char** argv) {
  if (const auto answered = trax::answerHelpOrVersion(argc, argv, "bench_modbus_server", kUsage)) return *answered;
  if (argc > 1) {
    std::fprintf(stderr, "bench_modbus_server: unknown option %s\n%s", argv[1], kUsage);
    return 2;
  }
  modbus_t* ctx = modbus_new_tcp("127.0.0.1", 0);
  modbus_mapping_t* map = modbus_mapping_new(0, 0, 20000, 0);
  if (!ctx || !map) return 1;
  const int listener = modbus_tcp_listen(ctx, 1);
  if (listener < 0) return 1;
  sockaddr_in at{};
  socklen_t length = sizeof at;
  getsockname(listener, reinterpret_cast<sockaddr*>(&at), &length);
  std::printf("PORT %d\n", ntohs(at.sin_port));
  std::fflush(stdout);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (std::chrono::steady_clock::now() < end) {
    int listening = listener;
    if (modbus_tcp_accept(ctx, &listening) < 0) break;
    std::uint8_t request[MODBUS_TCP_MAX_ADU_LENGTH];
    while (std::chrono::steady_clock::now() < end) {
      const int rc = modbus_receive(ctx, request);
      if (rc > 0) modbus_reply(ctx, request, rc, map);
      else if (rc < 0) break;  // the client left
    }
    modbus_close(ctx);
  }
  close(listener);
  modbus_mapping_free(map);
  modbus_free(ctx);
  return 0;
}
