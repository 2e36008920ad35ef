#include "datagram_loop.h"

#include <algorithm>
#include <cstdio>

namespace trax_sim {

void LinePrinter::print(const std::string& line) {
  std::lock_guard lock(mutex_);
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void DatagramLoop::sendDue(std::int64_t nowMs) {
  while (!queue_.empty() && queue_.begin()->first <= nowMs) {
    const auto& [to, bytes] = queue_.begin()->second;
    if (!socket_.sendTo(to, bytes.data(), bytes.size()))
      std::fprintf(stderr, "trax-sim: sending to %s failed (error %d)\n", to.text().c_str(), socket_.lastError());
    else if (log_.printer && log_.replies)
      log_.printer->print(log_.txPrefix + " " + hexText(bytes));
    queue_.erase(queue_.begin());
  }
}

void DatagramLoop::run(const std::atomic<bool>& stop) {
  // The largest UDP payload: every datagram is seen whole and logged.
  std::vector<std::uint8_t> buffer(65536);
  while (!stop.load()) {
    sendDue(clock_());
    std::int64_t wait = 50;
    if (!queue_.empty()) wait = std::clamp<std::int64_t>(queue_.begin()->first - clock_(), 1, 50);
    socket_.setReceiveTimeout(static_cast<int>(wait));
    platform::Endpoint from;
    const int n = socket_.receive(buffer.data(), buffer.size(), &from);
    if (n < 0) continue;
    const std::span<const std::uint8_t> datagram(buffer.data(), static_cast<std::size_t>(n));
    if (log_.printer) log_.printer->print(log_.rxPrefix + (n ? " " : "") + hexText(datagram));
    for (auto& out : handler_(datagram, clock_()))
      queue_.emplace(out.dueMs, std::make_pair(from, std::move(out.bytes)));
  }
}

}  // namespace trax_sim
