#pragma once
// A link for transactions on a fake clock: sleeping moves the clock, what
// the other side sends arrives at a given fake time, and a peer sees every
// write and schedules its answers.
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

#include "wirelet/link_port.h"

namespace wirelet_test {

class FakeLink final : public wirelet::LinkPort {
 public:
  using Bytes = std::vector<std::uint8_t>;
  using Peer = std::function<void(FakeLink&, const Bytes& written)>;

  explicit FakeLink(Peer peer) : peer_(std::move(peer)) {}

  // Bytes that arrive together `afterMs` from now.
  void deliver(Bytes bytes, unsigned afterMs) { arrivals_.push_back({now + afterMs, std::move(bytes)}); }

  void flush() override {
    ++flushes;
    for (auto& a : arrivals_)
      if (a.at <= now) a.bytes.clear();
  }
  void write(std::span<const std::uint8_t> bytes) override {
    writes.emplace_back(bytes.begin(), bytes.end());
    if (peer_) peer_(*this, writes.back());
  }
  std::size_t waiting() override {
    std::size_t n = 0;
    for (const auto& a : arrivals_)
      if (a.at <= now) n += a.bytes.size();
    return n;
  }
  std::size_t read(std::uint8_t* buffer, std::size_t count) override {
    std::size_t got = 0;
    for (auto& a : arrivals_) {
      while (a.at <= now && !a.bytes.empty() && got < count) {
        buffer[got++] = a.bytes.front();
        a.bytes.erase(a.bytes.begin());
      }
    }
    return got;
  }
  void armTimeOut(unsigned milliseconds) override { deadline_ = now + milliseconds; }
  bool timedOut() override { return now >= deadline_; }
  void sleep(unsigned milliseconds) override { now += milliseconds; }

  std::uint64_t now = 0;
  int flushes = 0;
  std::vector<Bytes> writes;

 private:
  struct Arrival {
    std::uint64_t at;
    Bytes bytes;
  };
  Peer peer_;
  std::deque<Arrival> arrivals_;
  std::uint64_t deadline_ = 0;
};

}  // namespace wirelet_test
