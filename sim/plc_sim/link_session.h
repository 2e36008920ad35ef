#pragma once
// The PLC's side of the serial order link, as a state machine over the byte
// stream: answers "K!" ENQ with "K!" ACK, takes one request, answers it with
// ACK and the reply, sends EOT after the master's ACK, and waits for the
// master's EOT. Faults change what it sends. It keeps no clock: the caller
// says when bytes arrived, and it returns what to send and after which pause.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/plc_sim/plc_memory.h"

namespace plc_sim {

struct LinkFaults {
  bool noEnquiryAnswer = false;        // stay silent on the enquiry
  bool enquiryNak = false;             // answer the enquiry with "K!" NAK
  int naks = 0;                        // NAKs before the reply (4 or more: no reply at all)
  bool badCheck = false;               // reply with a wrong check byte
  std::optional<std::uint8_t> marker;  // reply with a 0xFC, 0xFD or 0xFE marker reply
  bool stopHalfWay = false;            // send the ACK and half the reply, then nothing
  bool badFirstByte = false;           // answer the request with a byte that is neither ACK nor NAK
};

// A request not whole this long after its first byte is dropped: a master
// that gave up on it must find the PLC answering its next enquiry.
inline constexpr std::int64_t kRequestTimeOutMs = 2000;

struct Send {
  unsigned delayMs = 0;  // pause before these bytes
  std::vector<std::uint8_t> bytes;
};

class LinkSession {
 public:
  using Log = std::function<void(const std::string&)>;

  LinkSession(PlcMemory& memory, LinkFaults faults, unsigned nakGapMs = 50,
              PlcHooks* hooks = nullptr, Log log = {});

  // Takes bytes received at `nowMs` (any steady clock in milliseconds);
  // returns what to send, in order.
  std::vector<Send> receive(std::span<const std::uint8_t> bytes, std::int64_t nowMs);

  int transactions() const { return transactions_; }

 private:
  enum class State { Idle, AwaitRequest, AwaitAck, AwaitEot };

  bool step(std::vector<Send>& out);
  bool takeEnquiry(std::vector<Send>& out);
  bool takeRequest(std::vector<Send>& out);
  void dropRequestPastItsTime(std::int64_t nowMs);
  void answer(std::span<const std::uint8_t> request, std::vector<Send>& out);
  void refuse(std::vector<Send>& out);
  void consume(std::size_t count);
  void log(const std::string& line) const;

  PlcMemory& memory_;
  LinkFaults faults_;
  unsigned nakGapMs_;
  PlcHooks* hooks_;
  Log log_;
  State state_ = State::Idle;
  std::vector<std::uint8_t> pending_;
  std::int64_t nowMs_ = 0;                    // when the bytes being handled arrived
  std::optional<std::int64_t> requestSince_;  // when the unfinished request's first byte arrived
  int transactions_ = 0;
};

std::string hexBytes(std::span<const std::uint8_t> bytes);

}  // namespace plc_sim
