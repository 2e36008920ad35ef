#include "sim/plc_sim/link_session.h"

#include <algorithm>
#include <cstdio>

#include "sim/plc_sim/order_executor.h"
#include "sim/plc_sim/order_layout.h"

namespace plc_sim {
namespace {

// Wirelet gives up at the fourth NAK.
constexpr int kNaksToGiveUp = 4;
// Stands in for the first byte of a reply that is neither ACK nor NAK.
constexpr std::uint8_t kNeitherAckNorNak = 0x3F;

}  // namespace

LinkSession::LinkSession(PlcMemory& memory, LinkFaults faults, unsigned nakGapMs, PlcHooks* hooks,
                         Log log)
    : memory_(memory), faults_(faults), nakGapMs_(nakGapMs), hooks_(hooks), log_(std::move(log)) {}

std::vector<Send> LinkSession::receive(std::span<const std::uint8_t> bytes, std::int64_t nowMs) {
  nowMs_ = nowMs;
  dropRequestPastItsTime(nowMs);
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  std::vector<Send> out;
  while (!pending_.empty() && step(out)) {
  }
  return out;
}

// Handles the byte(s) at the front of pending_; false when more are needed.
bool LinkSession::step(std::vector<Send>& out) {
  const std::uint8_t first = pending_.front();
  if (state_ == State::AwaitRequest && first == kSoh) return takeRequest(out);
  if (first == kLeadK) return takeEnquiry(out);
  consume(1);
  if (first == kEot && state_ != State::Idle) {
    log("eot");
    state_ = State::Idle;
  } else if (first == kAck && state_ == State::AwaitAck) {
    log("ack");
    out.push_back({0, {kEot}});
    state_ = State::AwaitEot;
  }
  return true;
}

bool LinkSession::takeEnquiry(std::vector<Send>& out) {
  if (pending_.size() < 3) return false;
  const bool enquiry = pending_[1] == kLeadBang && pending_[2] == kEnq;
  consume(enquiry ? 3 : 1);
  if (!enquiry) return true;
  if (faults_.noEnquiryAnswer) {
    log("enquiry (not answered)");
  } else if (faults_.enquiryNak) {
    log("enquiry (answered with NAK)");
    out.push_back({0, {kLeadK, kLeadBang, kNak}});
  } else {
    log("enquiry");
    out.push_back({0, {kLeadK, kLeadBang, kAck}});
    state_ = State::AwaitRequest;
  }
  return true;
}

bool LinkSession::takeRequest(std::vector<Send>& out) {
  const RequestLength length = requestLength(pending_);
  const bool incomplete = length.state == LengthState::NeedMore ||
                          (length.state == LengthState::Known && pending_.size() < length.length);
  if (incomplete) {
    if (!requestSince_) requestSince_ = nowMs_;
    return false;
  }
  requestSince_.reset();
  if (length.state == LengthState::UnknownCommand) {
    log("request with unknown command " + hexBytes(std::span(pending_).first(2)));
    pending_.clear();
    refuse(out);
    return true;
  }
  const std::vector<std::uint8_t> request(pending_.begin(), pending_.begin() + length.length);
  consume(length.length);
  log("request: " + hexBytes(request));
  if (requestIsWellFormed(request)) {
    answer(request, out);
  } else {
    log("request malformed");
    refuse(out);
  }
  return true;
}

// Bytes that come after the time-out start afresh: whatever the request
// still lacks, the master has stopped sending it.
void LinkSession::dropRequestPastItsTime(std::int64_t nowMs) {
  if (!requestSince_ || nowMs - *requestSince_ < kRequestTimeOutMs) return;
  log("request abandoned: " + std::to_string(pending_.size()) + " bytes, not whole within " +
      std::to_string(kRequestTimeOutMs) + " ms");
  pending_.clear();
  requestSince_.reset();
  state_ = State::Idle;
}

void LinkSession::answer(std::span<const std::uint8_t> request, std::vector<Send>& out) {
  ++transactions_;
  std::vector<std::uint8_t> reply = carryOut(request, memory_, hooks_);
  if (faults_.marker) reply = markerReply(request[1], *faults_.marker);
  if (faults_.badCheck) reply.back() ^= 0xFF;
  // Only a whole reply earns the master's ACK; otherwise its EOT ends the turn.
  state_ = State::AwaitEot;
  if (faults_.badFirstByte) {
    out.push_back({0, {kNeitherAckNorNak}});
    return;
  }
  const int naks = std::min(faults_.naks, kNaksToGiveUp);
  for (int i = 0; i < naks; ++i) out.push_back({i == 0 ? 0u : nakGapMs_, {kNak}});
  if (naks == kNaksToGiveUp) return;
  reply.insert(reply.begin(), kAck);
  if (faults_.stopHalfWay) reply.resize(reply.size() / 2);
  else state_ = State::AwaitAck;
  out.push_back({naks == 0 ? 0u : nakGapMs_, std::move(reply)});
}

// A request the PLC cannot take: NAKs until the master gives up.
void LinkSession::refuse(std::vector<Send>& out) {
  for (int i = 0; i < kNaksToGiveUp; ++i) out.push_back({i == 0 ? 0u : nakGapMs_, {kNak}});
  state_ = State::AwaitEot;
}

void LinkSession::consume(std::size_t count) {
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
}

void LinkSession::log(const std::string& line) const {
  if (log_) log_(line);
}

std::string hexBytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  char digits[4];
  for (const auto b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    if (!text.empty()) text += ' ';
    text += digits;
  }
  return text;
}

}  // namespace plc_sim
