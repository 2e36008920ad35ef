#pragma once
// The port's time-outs with the Windows meaning (COMMTIMEOUTS): a total read
// or write time-out of multiplier * count + constant milliseconds, an
// interval time-out between two received bytes, and MAXDWORD as the marker of
// the "return at once" modes. termios has nothing like it, so the serial
// device keeps these per open port and the reads and writes apply them.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace corvel {

inline constexpr std::uint32_t kMaxDword = 0xFFFFFFFFu;

struct CommTimeouts {
  std::uint32_t readInterval = 0;
  std::uint32_t readTotalMultiplier = 0;
  std::uint32_t readTotalConstant = 0;
  std::uint32_t writeTotalMultiplier = 0;
  std::uint32_t writeTotalConstant = 0;
  bool operator==(const CommTimeouts&) const = default;
};

// How one read of `count` bytes waits. Durations in milliseconds; no value
// means "no limit".
struct ReadPlan {
  bool returnBufferedOnly = false;          // take what is queued, never wait
  bool returnAfterFirstByte = false;        // wait for one byte, then take what is queued
  std::optional<std::uint64_t> total;       // limit of the whole read
  std::optional<std::uint64_t> interval;    // limit between two bytes, once one arrived
};

inline ReadPlan planRead(const CommTimeouts& t, std::size_t count) {
  ReadPlan plan;
  if (t.readInterval == kMaxDword && t.readTotalMultiplier == 0 && t.readTotalConstant == 0) {
    plan.returnBufferedOnly = true;
    return plan;
  }
  if (t.readInterval == kMaxDword && t.readTotalMultiplier == kMaxDword &&
      t.readTotalConstant != 0 && t.readTotalConstant != kMaxDword) {
    plan.returnAfterFirstByte = true;
    plan.total = t.readTotalConstant;
    return plan;
  }
  if (t.readTotalMultiplier != 0 || t.readTotalConstant != 0)
    plan.total = std::uint64_t{t.readTotalMultiplier} * count + t.readTotalConstant;
  if (t.readInterval != 0 && t.readInterval != kMaxDword) plan.interval = t.readInterval;
  return plan;
}

// Limit of a write of `count` bytes; no value means "no limit".
inline std::optional<std::uint64_t> writeLimit(const CommTimeouts& t, std::size_t count) {
  if (t.writeTotalMultiplier == 0 && t.writeTotalConstant == 0) return std::nullopt;
  return std::uint64_t{t.writeTotalMultiplier} * count + t.writeTotalConstant;
}

}  // namespace corvel
