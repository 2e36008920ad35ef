#include "sim/plc_sim/order_layout.h"

namespace plc_sim {
namespace {

constexpr std::size_t kUnknown = 0;
constexpr std::size_t kVariable = 1;

// Length of the orders whose length does not depend on a count.
std::size_t fixedLength(std::uint8_t command) {
  switch (command) {
    case 0x01: case 0x10: case 0x27: case 0x48: return 5;
    case 0x00: case 0x20: case 0x26: case 0xA6:
    case 0x44: case 0xC4: case 0x45: case 0xC5: return 7;
    case 0x2A: case 0x40: case 0xC0: return 8;
    case 0x22: case 0x25: case 0x29: case 0x49: case 0x50: case 0x70: return 9;
    case 0x41: return 10;
    case 0x43: return 11;
    case 0x2C: return 13;
    case 0x21: case 0x23: case 0x24: case 0x2B: case 0x46:
    case 0x51: case 0x61: case 0x71: return kVariable;
    default: return kUnknown;
  }
}

RequestLength needs(std::size_t bytes) { return {LengthState::NeedMore, bytes}; }
RequestLength known(std::size_t length) { return {LengthState::Known, length}; }

std::size_t loHi(std::span<const std::uint8_t> p, std::size_t at) {
  return p[at] | (std::size_t{p[at + 1]} << 8);
}

RequestLength order61Length(std::span<const std::uint8_t> p) {
  if (p.size() < 4) return needs(4);
  if (p[3] == 0x12) return known(13);
  if (p[3] != 0x13) return known(7);
  if (p.size() < 11) return needs(11);
  return known(loHi(p, 9) + 13);
}

RequestLength variableLength(std::uint8_t command, std::span<const std::uint8_t> p) {
  if (command == 0x61) return order61Length(p);
  if (command == 0x71) return p.size() < 5 ? needs(5) : known(p[4] + 10u);
  if (command == 0x51) return p.size() < 7 ? needs(7) : known(loHi(p, 5) + 9);
  if (p.size() < 6) return needs(6);
  const std::size_t c = p[5];
  switch (command) {
    case 0x21: case 0x24: return known(3 * c + 8);
    case 0x23: case 0x2B: return known((c == 0 ? 768 : 3 * c) + 8);
    default: return known(2 * (c == 0 ? 256 : c) + 8);  // 0x46
  }
}

}  // namespace

RequestLength requestLength(std::span<const std::uint8_t> prefix) {
  if (prefix.size() < 2) return needs(2);
  const std::size_t fixed = fixedLength(prefix[1]);
  if (fixed == kUnknown) return {LengthState::UnknownCommand};
  if (fixed != kVariable) return known(fixed);
  return variableLength(prefix[1], prefix);
}

bool requestIsWellFormed(std::span<const std::uint8_t> request) {
  const std::size_t n = request.size();
  if (n < 5 || request[0] != kSoh || request[2] != 0x01 || request[n - 2] != kEtb) return false;
  return xorOf(request.subspan(1, n - 3)) == request[n - 1];
}

std::uint8_t xorOf(std::span<const std::uint8_t> bytes) {
  std::uint8_t check = 0;
  for (const auto b : bytes) check ^= b;
  return check;
}

}  // namespace plc_sim
