#include "modbus_tables.h"

#include <algorithm>

namespace trax_sim {
namespace {

constexpr std::uint16_t kMaxReadBits = 2000;
constexpr std::uint16_t kMaxReadRegisters = 125;
constexpr std::uint16_t kMaxWriteBits = 1968;
constexpr std::uint16_t kMaxWriteRegisters = 123;

std::uint16_t wordAt(std::span<const std::uint8_t> pdu, std::size_t at) {
  return static_cast<std::uint16_t>(pdu[at] << 8 | pdu[at + 1]);
}

void appendWord(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

bool inRange(const ModbusTables& t, std::uint32_t start, std::uint32_t count) { return start + count <= t.size; }

Bytes readBits(const ModbusTables& t, const std::vector<std::uint8_t>& table, std::span<const std::uint8_t> pdu) {
  const std::uint8_t function = pdu[0];
  if (pdu.size() != 5) return modbusException(function, kIllegalDataValue);
  const std::uint16_t start = wordAt(pdu, 1), count = wordAt(pdu, 3);
  if (count < 1 || count > kMaxReadBits) return modbusException(function, kIllegalDataValue);
  if (!inRange(t, start, count)) return modbusException(function, kIllegalDataAddress);
  Bytes out{function, static_cast<std::uint8_t>((count + 7) / 8)};
  out.resize(2 + out[1], 0);
  for (std::uint16_t i = 0; i < count; ++i)
    if (table[start + i]) out[2 + i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
  return out;
}

Bytes readRegisters(const ModbusTables& t, const std::vector<std::uint16_t>& table, std::span<const std::uint8_t> pdu) {
  const std::uint8_t function = pdu[0];
  if (pdu.size() != 5) return modbusException(function, kIllegalDataValue);
  const std::uint16_t start = wordAt(pdu, 1), count = wordAt(pdu, 3);
  if (count < 1 || count > kMaxReadRegisters) return modbusException(function, kIllegalDataValue);
  if (!inRange(t, start, count)) return modbusException(function, kIllegalDataAddress);
  Bytes out{function, static_cast<std::uint8_t>(count * 2)};
  for (std::uint16_t i = 0; i < count; ++i) appendWord(out, table[start + i]);
  return out;
}

Bytes writeSingleCoil(ModbusTables& t, std::span<const std::uint8_t> pdu) {
  if (pdu.size() != 5) return modbusException(pdu[0], kIllegalDataValue);
  const std::uint16_t address = wordAt(pdu, 1), value = wordAt(pdu, 3);
  if (value != 0x0000 && value != 0xFF00) return modbusException(pdu[0], kIllegalDataValue);
  if (!inRange(t, address, 1)) return modbusException(pdu[0], kIllegalDataAddress);
  t.coils[address] = value ? 1 : 0;
  return Bytes(pdu.begin(), pdu.end());
}

Bytes writeSingleRegister(ModbusTables& t, std::span<const std::uint8_t> pdu) {
  if (pdu.size() != 5) return modbusException(pdu[0], kIllegalDataValue);
  const std::uint16_t address = wordAt(pdu, 1);
  if (!inRange(t, address, 1)) return modbusException(pdu[0], kIllegalDataAddress);
  t.holdingRegisters[address] = wordAt(pdu, 3);
  return Bytes(pdu.begin(), pdu.end());
}

Bytes writeMultipleCoils(ModbusTables& t, std::span<const std::uint8_t> pdu) {
  if (pdu.size() < 6) return modbusException(pdu[0], kIllegalDataValue);
  const std::uint16_t start = wordAt(pdu, 1), count = wordAt(pdu, 3);
  const std::size_t bytes = pdu[5];
  if (count < 1 || count > kMaxWriteBits || bytes != (count + 7u) / 8 || pdu.size() != 6 + bytes)
    return modbusException(pdu[0], kIllegalDataValue);
  if (!inRange(t, start, count)) return modbusException(pdu[0], kIllegalDataAddress);
  for (std::uint16_t i = 0; i < count; ++i) t.coils[start + i] = (pdu[6 + i / 8] >> (i % 8)) & 1;
  return Bytes(pdu.begin(), pdu.begin() + 5);
}

Bytes writeMultipleRegisters(ModbusTables& t, std::span<const std::uint8_t> pdu) {
  if (pdu.size() < 6) return modbusException(pdu[0], kIllegalDataValue);
  const std::uint16_t start = wordAt(pdu, 1), count = wordAt(pdu, 3);
  const std::size_t bytes = pdu[5];
  if (count < 1 || count > kMaxWriteRegisters || bytes != count * 2u || pdu.size() != 6 + bytes)
    return modbusException(pdu[0], kIllegalDataValue);
  if (!inRange(t, start, count)) return modbusException(pdu[0], kIllegalDataAddress);
  for (std::uint16_t i = 0; i < count; ++i) t.holdingRegisters[start + i] = wordAt(pdu, 6 + 2u * i);
  return Bytes(pdu.begin(), pdu.begin() + 5);
}

}  // namespace

Bytes modbusException(std::uint8_t function, std::uint8_t code) {
  return Bytes{static_cast<std::uint8_t>(function | 0x80), code};
}

Bytes mbapReply(std::span<const std::uint8_t> request, const Bytes& pdu) {
  Bytes out(kMbapBytes + pdu.size());
  std::copy(request.begin(), request.begin() + kMbapBytes, out.begin());
  out[4] = static_cast<std::uint8_t>((pdu.size() + 1) >> 8);
  out[5] = static_cast<std::uint8_t>(pdu.size() + 1);
  std::copy(pdu.begin(), pdu.end(), out.begin() + kMbapBytes);
  return out;
}

Bytes answerModbusPdu(ModbusTables& t, std::span<const std::uint8_t> pdu) {
  if (pdu.empty()) return {};
  switch (pdu[0]) {
    case 1: return readBits(t, t.coils, pdu);
    case 2: return readBits(t, t.discreteInputs, pdu);
    case 3: return readRegisters(t, t.holdingRegisters, pdu);
    case 4: return readRegisters(t, t.inputRegisters, pdu);
    case 5: return writeSingleCoil(t, pdu);
    case 6: return writeSingleRegister(t, pdu);
    case 15: return writeMultipleCoils(t, pdu);
    case 16: return writeMultipleRegisters(t, pdu);
    default: return modbusException(pdu[0], kIllegalFunction);
  }
}

}  // namespace trax_sim
