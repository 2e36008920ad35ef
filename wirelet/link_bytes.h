#pragma once
// Control bytes of the serial order protocol and the result of an order.
#include <cstdint>

namespace wirelet {

inline constexpr std::uint8_t kSoh = 0x01;
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kEnq = 0x05;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kEtb = 0x17;
// "K!" precedes ENQ in the enquiry and ACK in its answer.
inline constexpr std::uint8_t kEnquiryLead[2] = {0x4B, 0x21};

// Reply byte 3 of a marker reply.
inline constexpr std::uint8_t kMarkerShort = 0xFC;    // 8-byte reply
inline constexpr std::uint8_t kMarkerMedium = 0xFD;   // 9-byte reply
inline constexpr std::uint8_t kMarkerCounted = 0xFE;  // (reply byte 8 + 4) x 3 bytes

enum class OrderResult : std::uint8_t {
  NoReply = 1,      // no complete reply within the time-out, a fourth NAK, or a refused request
  NotAnswered = 2,  // enquiry unanswered six times, or a reply that began with neither ACK nor NAK
  MarkerReply = 3,  // marker reply, acknowledged, check byte correct
  BadCheck = 4,     // reply acknowledged but its check byte is wrong
  GoodReply = 6,    // normal reply, acknowledged, check byte correct
};

}  // namespace wirelet
