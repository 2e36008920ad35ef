#pragma once
// Quorra's requests and the check of their replies. libmodbus sends the request
// and frames the reply; everything that decides whether the reply answers the
// request is here, because libmodbus over TCP does not look at the unit or
// protocol identifier, nor at the address and count a write reply echoes.
//
// A reply as libmodbus hands it over (Modbus TCP ADU, big-endian fields):
//
//   offset  size  field
//   0       2     transaction identifier (modbus_send_raw_request sends 0)
//   2       2     protocol identifier, 0 for Modbus
//   4       2     number of bytes that follow
//   6       1     unit identifier
//   7       1     function code; with 0x80 added for an exception
//   8       1     exception code             (exception)
//   8       1     byte count, then the data  (FC1 to FC4)
//   8       2     address echoed             (FC5, FC6, FC15, FC16)
//   10      2     value (FC5, FC6) or count (FC15, FC16) echoed
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorra {

namespace adu {
inline constexpr std::size_t kTransaction = 0;
inline constexpr std::size_t kProtocol = 2;
inline constexpr std::size_t kLength = 4;
inline constexpr std::size_t kUnit = 6;
inline constexpr std::size_t kFunction = 7;
inline constexpr std::size_t kExceptionCode = 8;
inline constexpr std::size_t kByteCount = 8;
inline constexpr std::size_t kReadData = 9;
inline constexpr std::size_t kAddressEcho = 8;
inline constexpr std::size_t kValueEcho = 10;
inline constexpr std::size_t kLengthBefore = kUnit;  // bytes the length field does not count
inline constexpr std::size_t kExceptionSize = kExceptionCode + 1;
inline constexpr std::size_t kWriteReplySize = kValueEcho + 2;
static_assert(kFunction == kUnit + 1 && kReadData == kByteCount + 1, "fields follow each other");
}  // namespace adu

struct Request {
  std::uint8_t function = 0;
  std::uint16_t address = 0;
  std::uint16_t count = 0;  // values read or written
  std::uint16_t value = 0;  // FC5 and FC6: the value the reply echoes
  // Unit identifier, function code and data: what modbus_send_raw_request takes.
  std::vector<std::uint8_t> raw;
};

Request readRequest(std::uint8_t unit, std::uint8_t function, std::uint16_t address,
                    std::uint16_t count);
Request writeCoilRequest(std::uint8_t unit, std::uint16_t address, bool on);
Request writeRegisterRequest(std::uint8_t unit, std::uint16_t address, std::uint16_t value);
// `packed`: the coils 16 to a word, least significant bit first.
Request writeCoilsRequest(std::uint8_t unit, std::uint16_t address, std::uint16_t count,
                          const std::uint16_t* packed);
Request writeRegistersRequest(std::uint8_t unit, std::uint16_t address, std::uint16_t count,
                              const std::uint16_t* words);

struct ReplyCheck {
  std::uint16_t code = 0;  // 0: the reply answers the request; otherwise the error code
  bool exception = false;  // the server's own answer (an exception): not to be repeated
};

// Checks a whole reply against its request; never reads outside `reply`.
ReplyCheck checkReply(const Request& request, std::span<const std::uint8_t> reply);

// The values of a read reply that passed checkReply: registers one per word,
// bits 16 to a word, least significant bit first (ceil(count / 16) words).
void unpackReadReply(const Request& request, std::span<const std::uint8_t> reply,
                     std::uint16_t* buffer);

}  // namespace quorra
