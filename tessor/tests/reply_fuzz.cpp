// Replies of any content to a request of any kind: the check never reads
// outside the reply, and a read reply it accepts fills only the request's words.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "tessor/quorra/quorra_frames.h"

namespace {
quorra::Request requestOf(const std::uint8_t* d) {
  const auto address = static_cast<std::uint16_t>((d[1] << 8) | d[2]);
  const auto count = static_cast<std::uint16_t>(1 + ((d[3] << 8) | d[4]) % 2000);
  static const std::array<std::uint16_t, 125> words{};
  static const std::array<std::uint16_t, 125> bits{};
  const std::uint8_t unit = d[5];
  switch (d[0] % 7) {
    case 0: return quorra::readRequest(unit, 1 + d[0] / 7 % 2, address, count);
    case 1: return quorra::readRequest(unit, 3 + d[0] / 7 % 2, address, 1 + count % 125);
    case 2: return quorra::writeCoilRequest(unit, address, d[4] & 1);
    case 3: return quorra::writeRegisterRequest(unit, address, count);
    case 4: return quorra::writeCoilsRequest(unit, address, 1 + count % 1968, bits.data());
    default: return quorra::writeRegistersRequest(unit, address, 1 + count % 123, words.data());
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  const quorra::Request request = requestOf(data);
  const std::span<const std::uint8_t> reply(data + 6, size - 6);
  const quorra::ReplyCheck check = quorra::checkReply(request, reply);
  if (check.code != 0 || request.function > 4) return 0;
  const bool bits = request.function <= 2;
  const std::size_t words = bits ? (request.count + 15u) / 16u : request.count;
  std::array<std::uint16_t, 2001> buffer{};
  buffer[words] = 0xA5A5;
  quorra::unpackReadReply(request, reply, buffer.data());
  if (buffer[words] != 0xA5A5) __builtin_trap();
  return 0;
}
