#include "sim/plc_sim/order_executor.h"

#include <algorithm>

#include "sim/plc_sim/order_layout.h"

namespace plc_sim {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Params = std::span<const std::uint8_t>;

constexpr std::uint8_t kRefused = 0xFC;
const Bytes kAcknowledged{0x00};

std::size_t loHi(Params p, std::size_t at) { return p[at] | (std::size_t{p[at + 1]} << 8); }
std::size_t hiLo(Params p, std::size_t at) { return (std::size_t{p[at]} << 8) | p[at + 1]; }
std::size_t words(std::uint8_t count) { return count == 0 ? 256 : count; }
std::size_t tripleBytes(std::uint8_t count) { return count == 0 ? 768 : 3u * count; }

Bytes readBytes(Params p, const PlcMemory& memory) {
  const auto data = memory.readBytes(loHi(p, 0), loHi(p, 2));
  return data ? replyFrame(0x50, 0, *data) : markerReply(0x50, kRefused);
}

Bytes writeBytes(Params p, PlcMemory& memory, PlcHooks* hooks) {
  const std::size_t address = loHi(p, 0);
  const auto data = p.subspan(4, loHi(p, 2));
  if (!memory.writeBytes(address, data)) return markerReply(0x51, kRefused);
  if (hooks) hooks->afterByteWrite(memory, address, data.size());
  return replyFrame(0x51, 0, kAcknowledged);
}

// Word replies echo the address (high byte first) before the words, each
// sent low byte first.
Bytes readWords(std::uint8_t command, Params p, const PlcMemory& memory) {
  const auto data = memory.readWords(hiLo(p, 0), words(p[2]));
  if (!data) return markerReply(command, kRefused);
  Bytes payload{p[0], p[1]};
  for (const auto w : *data) {
    payload.push_back(static_cast<std::uint8_t>(w));
    payload.push_back(static_cast<std::uint8_t>(w >> 8));
  }
  return replyFrame(command, 0, payload);
}

Bytes writeWords(Params p, PlcMemory& memory, PlcHooks* hooks) {
  const std::size_t address = hiLo(p, 0);
  std::vector<std::uint16_t> data(words(p[2]));
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<std::uint16_t>(loHi(p, 3 + 2 * i));
  if (!memory.writeWords(address, data)) return markerReply(0x46, kRefused);
  if (hooks) hooks->afterWordWrite(memory, address, data.size());
  return replyFrame(0x46, 0, kAcknowledged);
}

Bytes areaRead(std::uint8_t command, std::uint8_t area, std::uint32_t address, std::size_t count,
               const PlcMemory& memory, PlcHooks* hooks) {
  auto data = hooks ? hooks->areaRead(memory, area, address, count) : std::nullopt;
  if (!data) data = memory.readArea(area, address, count);
  data->resize(count);
  return replyFrame(command, 0, *data);
}

// Order61_12/13 carry the sub-code, the area, a 32-bit address (most
// significant byte first) and a 16-bit count.
Bytes order61(Params p, PlcMemory& memory, PlcHooks* hooks) {
  if (p[0] != 0x12 && p[0] != 0x13)
    return replyFrame(0x61, 0, p[0] == 0x02 ? kAcknowledged : Bytes(32));  // Order61_02, Order61_00
  const auto address = static_cast<std::uint32_t>((hiLo(p, 2) << 16) | hiLo(p, 4));
  if (p[0] == 0x12) return areaRead(0x61, p[1], address, loHi(p, 6), memory, hooks);
  memory.writeArea(p[1], address, p.subspan(8, loHi(p, 6)));
  return replyFrame(0x61, 0, kAcknowledged);
}

// Payload size of the orders the simulator gives no meaning: the expected
// reply length less the 6 framing bytes.
std::size_t plainPayload(std::uint8_t command, Params p) {
  switch (command) {
    case 0x01: return 2;
    case 0x10: return 4;
    case 0x23: return tripleBytes(p[2]) + 3;
    case 0x24: return 3u * p[2] + 3;
    case 0x2A: return 3u * p[2] + 1;
    case 0x41: return 2 * words(p[2]) + 6;
    case 0x43: return 4;
    default: return 1;
  }
}

}  // namespace

Bytes carryOut(std::span<const std::uint8_t> request, PlcMemory& memory, PlcHooks* hooks) {
  // The parameters are read at the places the layout gives, so a request of
  // any other length is refused before they are looked at.
  const RequestLength layout = requestLength(request);
  if (!requestIsWellFormed(request) || layout.state != LengthState::Known ||
      layout.length != request.size())
    return markerReply(request.size() > 1 ? request[1] : 0, kRefused);
  const std::uint8_t command = request[1];
  const Params p = request.subspan(3, request.size() - 5);
  switch (command) {
    case 0x50: return readBytes(p, memory);
    case 0x51: return writeBytes(p, memory, hooks);
    case 0x40: case 0xC0: return readWords(command, p, memory);
    case 0x46: return writeWords(p, memory, hooks);
    case 0x61: return order61(p, memory, hooks);
    case 0x70: return areaRead(0x70, p[0], static_cast<std::uint32_t>(loHi(p, 2)), p[1], memory, hooks);
    case 0x71: memory.writeArea(p[0], static_cast<std::uint32_t>(loHi(p, 2)), p.subspan(4, p[1]));
               return replyFrame(0x71, 0, kAcknowledged);
    case 0x20: case 0x21: case 0x22: case 0x25: case 0x2C: return markerReply(command, kRefused);
    default: return replyFrame(command, 0, Bytes(plainPayload(command, p)));
  }
}

Bytes replyFrame(std::uint8_t command, std::uint8_t status, std::span<const std::uint8_t> payload) {
  Bytes reply(payload.size() + 6);
  reply[0] = kSoh;
  reply[1] = command;
  reply[2] = 0x01;
  reply[3] = status;
  std::copy(payload.begin(), payload.end(), reply.begin() + 4);
  reply[reply.size() - 2] = kEtb;
  reply.back() = xorOf(std::span(reply).subspan(1, reply.size() - 3));
  return reply;
}

Bytes markerReply(std::uint8_t command, std::uint8_t marker) {
  if (marker == 0xFE) {
    Bytes payload(9);  // (1 + 4) x 3 = 15 bytes in all
    payload[4] = 1;    // reply byte 8
    return replyFrame(command, marker, payload);
  }
  return replyFrame(command, marker, Bytes(marker == 0xFD ? 3 : 2));
}

}  // namespace plc_sim
