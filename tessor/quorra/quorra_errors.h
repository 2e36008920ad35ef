#pragma once
// The codes Quorra leaves in the record, named; their texts come from ErrorText.
#include <cstdint>

namespace quorra {

inline constexpr std::uint16_t kTimeout = 1001;           // no answer in time
inline constexpr std::uint16_t kNak = 1002;               // exception 7, negative acknowledge
inline constexpr std::uint16_t kAddressMismatch = 1008;   // a write reply echoes another address
inline constexpr std::uint16_t kDataLength = 1010;        // a count not carried, or echoed wrong
inline constexpr std::uint16_t kInvalidCommand = 1012;    // area, function or argument not served
inline constexpr std::uint16_t kDeviceNotFound = 1015;    // connection refused, host unreachable
inline constexpr std::uint16_t kCommunication = 1016;     // connection broken, garbled reply
inline constexpr std::uint16_t kAddressOverflow = 1017;   // beyond 65535, or exception 2
inline constexpr std::uint16_t kNotOpen = 1020;           // no connection on this record
inline constexpr std::uint16_t kStationMismatch = 1021;   // unit identifier refused or not echoed
inline constexpr std::uint16_t kServerError = 1499;       // exceptions 5, 6 and codes not defined
inline constexpr std::uint16_t kMemoryAccess = 1701;      // exception 4, server device failure
inline constexpr std::uint16_t kMemoryDamaged = 1704;     // exception 8, memory parity error
inline constexpr std::uint16_t kProtocolMismatch = 1705;  // reply with a protocol identifier not 0

// The code for an errno value left by libmodbus or the socket layer.
std::uint16_t errorCodeOf(int err);
// True for the errors that mean the server answered with an exception.
bool isExceptionReply(int err);
// True for the errors that mean the connection is gone.
bool isConnectionLoss(int err);

}  // namespace quorra
