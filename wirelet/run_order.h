#pragma once
// One whole transaction with the PLC: enquiry, request, reply with its
// acknowledgement, closing bytes and the check of the reply.
#include <cstddef>
#include <cstdint>
#include <span>

#include "wirelet/link_bytes.h"
#include "wirelet/link_port.h"
#include "wirelet/order_request.h"

namespace wirelet {

// Waits of the transaction, in milliseconds.
inline constexpr unsigned kPollMs = 10;
inline constexpr unsigned kEnquiryTimeOutMs = 800;
inline constexpr int kEnquiryAttempts = 6;
inline constexpr unsigned kBeforeRequestMs = 20;
inline constexpr unsigned kReplyTimeOutMs = 65535;
inline constexpr unsigned kEndTimeOutMs = 2000;
// NAKs the PLC may answer with before the order gives up (the next one ends it).
inline constexpr int kNaksTolerated = 3;

// Runs the request and writes the `expected` reply bytes into `reply` when a
// complete reply arrived; on any other outcome `reply` is left as it was.
OrderResult runOrder(LinkPort& port, std::span<const std::uint8_t> request, std::size_t expected,
                     std::uint8_t* reply);

// runOrder for a built request; a refused request (too long for the request
// buffer, data missing) or a missing reply buffer gives NoReply without a
// byte on the link.
OrderResult carryOutOrder(LinkPort& port, const OrderRequest& request, std::uint8_t* reply);

}  // namespace wirelet
