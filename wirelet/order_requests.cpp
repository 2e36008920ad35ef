#include "wirelet/order_requests.h"

#include <cstddef>

namespace wirelet::orders {
namespace {

// Replies of this length can only end as marker replies.
constexpr std::size_t kOpenEnded = 1024;
// The acknowledgement that orders sending data expect.
constexpr std::size_t kAckReply = 7;

// Counts of 2-byte words where 0 stands for 256.
std::size_t words(std::uint8_t count) { return count == 0 ? 256 : count; }
// Triples of Order23 and Order2B, where 0 stands for 256 triples.
std::size_t tripleBytes(std::uint8_t count) { return count == 0 ? 768 : 3u * count; }

OrderRequest plain(std::uint8_t command, std::size_t expected) {
  return OrderRequest(command, expected).finish();
}

OrderRequest atLoHi(std::uint8_t command, std::uint16_t address, std::size_t expected) {
  return OrderRequest(command, expected).putLoHi(address).finish();
}

OrderRequest atHiLo(std::uint8_t command, std::uint16_t address, std::size_t expected) {
  return OrderRequest(command, expected).putHiLo(address).finish();
}

OrderRequest wordRead(std::uint8_t command, std::uint16_t address, std::uint8_t count) {
  return OrderRequest(command, 2 * words(count) + 8).putHiLo(address).put(count).finish();
}

OrderRequest triples(std::uint8_t command, std::uint16_t address, std::uint8_t count,
                     std::size_t dataBytes, Bytes data, std::size_t expected) {
  return OrderRequest(command, expected).putLoHi(address).put(count).putBytes(data, dataBytes).finish();
}

}  // namespace

OrderRequest order00(std::uint8_t value, std::uint8_t value2) {
  return OrderRequest(0x00, 7).put(value).put(value2).finish();
}
OrderRequest order01() { return plain(0x01, 8); }
OrderRequest order10() { return plain(0x10, 10); }
OrderRequest order20(std::uint16_t address) { return atLoHi(0x20, address, kOpenEnded); }
OrderRequest order21(std::uint16_t address, std::uint8_t count, Bytes data) {
  return triples(0x21, address, count, 3u * count, data, kOpenEnded);
}
OrderRequest order22(std::uint16_t address, std::uint16_t word) {
  return OrderRequest(0x22, kOpenEnded).putLoHi(address).putLoHi(word).finish();
}
OrderRequest order23(std::uint16_t address, std::uint8_t count, Bytes data) {
  return triples(0x23, address, count, tripleBytes(count), data, tripleBytes(count) + 9);
}
OrderRequest order24(std::uint16_t address, std::uint8_t count, Bytes data) {
  return triples(0x24, address, count, 3u * count, data, 3u * count + 9);
}
OrderRequest order25(std::uint16_t address, std::uint16_t word) {
  return OrderRequest(0x25, kOpenEnded).putLoHi(address).putHiLo(word).finish();
}
OrderRequest order26(std::uint16_t address) { return atLoHi(0x26, address, 7); }
OrderRequest orderA6(std::uint16_t address) { return atLoHi(0xA6, address, 7); }
OrderRequest order27() { return plain(0x27, 7); }
OrderRequest order29(std::uint16_t address, std::uint16_t word) {
  return OrderRequest(0x29, 7).putLoHi(address).putLoHi(word).finish();
}
OrderRequest order2A(std::uint16_t address, std::uint8_t count) {
  return OrderRequest(0x2A, 3u * count + 7).putLoHi(address).put(count).finish();
}
OrderRequest order2B(std::uint16_t address, std::uint8_t count, Bytes data) {
  return triples(0x2B, address, count, tripleBytes(count), data, kAckReply);
}
OrderRequest order2C(std::uint16_t address, Bytes data, Bytes data2) {
  return OrderRequest(0x2C, kOpenEnded).putLoHi(address).putBytes(data, 3).putBytes(data2, 3).finish();
}
OrderRequest order40(std::uint16_t address, std::uint8_t count) {
  return wordRead(0x40, address, count);
}
OrderRequest orderC0(std::uint16_t address, std::uint8_t count) {
  return wordRead(0xC0, address, count);
}
OrderRequest order41(std::uint16_t address, std::uint8_t count, std::uint16_t word) {
  return OrderRequest(0x41, 2 * words(count) + 12).putHiLo(address).put(count).putLoHi(word).finish();
}
OrderRequest order43(std::uint16_t address, std::uint16_t address2, std::uint16_t word) {
  return OrderRequest(0x43, 10).putHiLo(address).putHiLo(address2).putLoHi(word).finish();
}
OrderRequest order44(std::uint16_t address) { return atHiLo(0x44, address, 7); }
OrderRequest orderC4(std::uint16_t address) { return atHiLo(0xC4, address, 7); }
OrderRequest order45(std::uint16_t address) { return atHiLo(0x45, address, 7); }
OrderRequest orderC5(std::uint16_t address) { return atHiLo(0xC5, address, 7); }
OrderRequest order46(std::uint16_t address, std::uint8_t count, Bytes data) {
  return OrderRequest(0x46, kAckReply).putHiLo(address).put(count).putBytes(data, 2 * words(count)).finish();
}
OrderRequest order48() { return plain(0x48, 7); }
OrderRequest order49(std::uint16_t address, std::uint16_t word) {
  return OrderRequest(0x49, 7).putLoHi(address).putLoHi(word).finish();
}
OrderRequest order50(std::uint16_t address, std::uint16_t count) {
  return OrderRequest(0x50, std::size_t{count} + 6).putLoHi(address).putLoHi(count).finish();
}
OrderRequest order51(std::uint16_t address, std::uint16_t count, Bytes data) {
  return OrderRequest(0x51, kAckReply).putLoHi(address).putLoHi(count).putBytes(data, count).finish();
}
OrderRequest order61_00(std::uint8_t value) { return OrderRequest(0x61, 38).put(value).put(0x01).finish(); }
OrderRequest order61_02(std::uint8_t value) { return OrderRequest(0x61, 7).put(0x02).put(value).finish(); }
OrderRequest order61_12(std::uint8_t value, std::uint32_t address, std::uint16_t count) {
  return OrderRequest(0x61, std::size_t{count} + 6)
      .put(0x12).put(value).putBigEndian32(address).putLoHi(count).finish();
}
OrderRequest order61_13(std::uint8_t value, std::uint32_t address, std::uint16_t count, Bytes data) {
  return OrderRequest(0x61, kAckReply)
      .put(0x13).put(value).putBigEndian32(address).putLoHi(count).putBytes(data, count).finish();
}
OrderRequest order70(std::uint8_t value, std::uint8_t count, std::uint16_t address) {
  return OrderRequest(0x70, std::size_t{count} + 6).put(value).put(count).putLoHi(address).finish();
}
// The byte after the data is defined as 0, so the check byte does not depend
// on whatever happened to lie in the buffer.
OrderRequest order71(std::uint8_t value, std::uint8_t count, std::uint16_t address, Bytes data) {
  return OrderRequest(0x71, kAckReply)
      .put(value).put(count).putLoHi(address).putBytes(data, count).put(0x00).finish();
}

}  // namespace wirelet::orders
