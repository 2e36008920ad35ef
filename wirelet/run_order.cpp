#include "wirelet/run_order.h"

#include <algorithm>
#include <vector>

namespace wirelet {
namespace {

// The port is read through a buffer of this size.
constexpr std::size_t kReadChunk = 1024;
// The longest counted (0xFE) reply: (255 + 4) x 3.
constexpr std::size_t kLongestCounted = 777;

// Bytes collected from the port during one phase. Never grows past its
// capacity; bytes beyond it stay in the port for the next flush.
class Collector {
 public:
  explicit Collector(std::size_t capacity) : bytes_(capacity) {}

  void clear() { size_ = 0; }
  std::size_t size() const { return size_; }
  std::uint8_t operator[](std::size_t i) const { return bytes_[i]; }
  const std::uint8_t* data() const { return bytes_.data(); }

  // One poll: ask how much is waiting, wait a poll period, take it.
  void poll(LinkPort& port) {
    const std::size_t waiting = port.waiting();
    port.sleep(kPollMs);
    const std::size_t wanted = std::min({waiting, kReadChunk, bytes_.size() - size_});
    if (wanted == 0) return;
    std::uint8_t chunk[kReadChunk];
    const std::size_t got = std::min(port.read(chunk, wanted), wanted);
    std::copy_n(chunk, got, bytes_.data() + size_);
    size_ += got;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t size_ = 0;
};

void send(LinkPort& port, std::uint8_t byte) { port.write({&byte, 1}); }

bool answersEnquiry(const Collector& c) {
  return c.size() >= 3 && c[0] == kEnquiryLead[0] && c[1] == kEnquiryLead[1] && c[2] == kAck;
}

bool enquire(LinkPort& port) {
  static constexpr std::uint8_t kEnquiry[] = {kEnquiryLead[0], kEnquiryLead[1], kEnq};
  Collector answer(kReadChunk);
  for (int attempt = 0; attempt < kEnquiryAttempts; ++attempt) {
    port.write(kEnquiry);
    answer.clear();
    port.armTimeOut(kEnquiryTimeOutMs);
    do {
      answer.poll(port);
      if (answersEnquiry(answer)) return true;
    } while (!port.timedOut());
  }
  return false;
}

// Length and result of the reply collected so far (after its ACK): a marker
// in reply byte 3 sets both; a counted reply is known once reply byte 8 is in.
struct ReplyForm {
  std::size_t length;
  OrderResult result;
};

constexpr std::size_t kUnknownYet = static_cast<std::size_t>(-1) / 2;

ReplyForm replyForm(const Collector& c, std::size_t expected) {
  if (c.size() < 5) return {expected, OrderResult::GoodReply};
  switch (c[4]) {
    case kMarkerShort: return {8, OrderResult::MarkerReply};
    case kMarkerMedium: return {9, OrderResult::MarkerReply};
    case kMarkerCounted:
      return {c.size() >= 10 ? (c[9] + 4u) * 3u : kUnknownYet, OrderResult::MarkerReply};
    default: return {expected, OrderResult::GoodReply};
  }
}

enum class ReplyEnd { Complete, Nak, Refused, Silent };

struct Reply {
  ReplyEnd end;
  ReplyForm form{0, OrderResult::NoReply};
};

// The reply phase: ends as soon as the ACK and the whole reply are in, even
// when the last chunk brought more, or at the first NAK, or at a first byte
// that is neither, or at the time-out.
Reply collectReply(LinkPort& port, std::size_t expected, Collector& c) {
  c.clear();
  port.armTimeOut(kReplyTimeOutMs);
  for (;;) {
    c.poll(port);
    if (c.size() > 0) {
      if (c[0] == kNak) return {ReplyEnd::Nak};
      if (c[0] != kAck) return {ReplyEnd::Refused};
      const ReplyForm form = replyForm(c, expected);
      if (c.size() > form.length) return {ReplyEnd::Complete, form};
    }
    if (port.timedOut()) return {ReplyEnd::Silent};
  }
}

// Acknowledges a complete reply, gives the PLC a moment to end with EOT, and
// ends the link with EOT of our own.
void acknowledge(LinkPort& port) {
  port.sleep(kPollMs);
  send(port, kAck);
  Collector end(kReadChunk);
  port.armTimeOut(kEndTimeOutMs);
  do end.poll(port);
  while (end.size() == 0 && !port.timedOut());
  port.sleep(kPollMs);
  send(port, kEot);
}

}  // namespace

OrderResult runOrder(LinkPort& port, std::span<const std::uint8_t> request, std::size_t expected,
                     std::uint8_t* reply) {
  if (expected < 3 || reply == nullptr) return OrderResult::NoReply;
  port.flush();
  if (!enquire(port)) return OrderResult::NotAnswered;
  port.sleep(kBeforeRequestMs);
  port.write(request);
  port.sleep(kPollMs);
  Collector collected(std::max(expected, kLongestCounted) + 1);
  for (int naks = 0;;) {
    const Reply r = collectReply(port, expected, collected);
    if (r.end == ReplyEnd::Nak && ++naks <= kNaksTolerated) continue;
    if (r.end != ReplyEnd::Complete) {
      send(port, kEot);
      return r.end == ReplyEnd::Refused ? OrderResult::NotAnswered : OrderResult::NoReply;
    }
    std::copy_n(collected.data() + 1, r.form.length, reply);
    acknowledge(port);
    const std::size_t n = r.form.length;
    return xorOf(reply, 1, n - 3) == reply[n - 1] ? r.form.result : OrderResult::BadCheck;
  }
}

OrderResult carryOutOrder(LinkPort& port, const OrderRequest& request, std::uint8_t* reply) {
  if (request.refused() || reply == nullptr) return OrderResult::NoReply;
  return runOrder(port, request.bytes(), request.expectedReply(), reply);
}

}  // namespace wirelet
