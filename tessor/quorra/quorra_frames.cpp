#include "tessor/quorra/quorra_frames.h"

#include <modbus/modbus.h>

#include <algorithm>

#include "tessor/quorra/quorra_errors.h"

namespace quorra {

namespace {

void putU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

std::uint16_t u16At(std::span<const std::uint8_t> reply, std::size_t at) {
  return static_cast<std::uint16_t>((reply[at] << 8) | reply[at + 1]);
}

Request begin(std::uint8_t unit, std::uint8_t function, std::uint16_t address,
              std::uint16_t count) {
  Request r;
  r.function = function;
  r.address = address;
  r.count = count;
  r.raw = {unit, function};
  putU16(r.raw, address);
  return r;
}

Request writeSingle(std::uint8_t unit, std::uint8_t function, std::uint16_t address,
                    std::uint16_t value) {
  Request r = begin(unit, function, address, 1);
  r.value = value;
  putU16(r.raw, value);
  return r;
}

bool isRead(std::uint8_t function) {
  return function >= MODBUS_FC_READ_COILS && function <= MODBUS_FC_READ_INPUT_REGISTERS;
}

bool readsBits(std::uint8_t function) {
  return function == MODBUS_FC_READ_COILS || function == MODBUS_FC_READ_DISCRETE_INPUTS;
}

std::size_t readDataBytes(const Request& r) {
  return readsBits(r.function) ? (r.count + 7u) / 8u : 2u * r.count;
}

// The code of a Modbus exception code, through the errno libmodbus gives it.
std::uint16_t exceptionCodeOf(std::uint8_t exception) {
  return errorCodeOf(exception < MODBUS_EXCEPTION_MAX ? MODBUS_ENOBASE + exception : EMBBADEXC);
}

// A well-formed reply to this request's function: the echoes of a write.
std::uint16_t checkWriteEcho(const Request& r, std::span<const std::uint8_t> reply) {
  if (reply.size() != adu::kWriteReplySize) return kCommunication;
  if (u16At(reply, adu::kAddressEcho) != r.address) return kAddressMismatch;
  const std::uint16_t echoed = u16At(reply, adu::kValueEcho);
  const bool multiple = r.function == MODBUS_FC_WRITE_MULTIPLE_COILS ||
                        r.function == MODBUS_FC_WRITE_MULTIPLE_REGISTERS;
  if (multiple) return echoed == r.count ? 0 : kDataLength;
  return echoed == r.value ? 0 : kCommunication;
}

}  // namespace

Request readRequest(std::uint8_t unit, std::uint8_t function, std::uint16_t address,
                    std::uint16_t count) {
  Request r = begin(unit, function, address, count);
  putU16(r.raw, count);
  return r;
}

Request writeCoilRequest(std::uint8_t unit, std::uint16_t address, bool on) {
  return writeSingle(unit, MODBUS_FC_WRITE_SINGLE_COIL, address, on ? 0xFF00 : 0x0000);
}

Request writeRegisterRequest(std::uint8_t unit, std::uint16_t address, std::uint16_t value) {
  return writeSingle(unit, MODBUS_FC_WRITE_SINGLE_REGISTER, address, value);
}

Request writeCoilsRequest(std::uint8_t unit, std::uint16_t address, std::uint16_t count,
                          const std::uint16_t* packed) {
  Request r = begin(unit, MODBUS_FC_WRITE_MULTIPLE_COILS, address, count);
  putU16(r.raw, count);
  const std::size_t bytes = (count + 7u) / 8u;
  r.raw.push_back(static_cast<std::uint8_t>(bytes));
  const std::size_t first = r.raw.size();
  r.raw.resize(first + bytes, 0);
  // Only the coils asked for travel, never the rest of the last word.
  for (std::size_t i = 0; i < count; ++i)
    if ((packed[i / 16] >> (i % 16)) & 1u)
      r.raw[first + i / 8] = static_cast<std::uint8_t>(r.raw[first + i / 8] | (1u << (i % 8)));
  return r;
}

Request writeRegistersRequest(std::uint8_t unit, std::uint16_t address, std::uint16_t count,
                              const std::uint16_t* words) {
  Request r = begin(unit, MODBUS_FC_WRITE_MULTIPLE_REGISTERS, address, count);
  putU16(r.raw, count);
  r.raw.push_back(static_cast<std::uint8_t>(2u * count));
  for (std::size_t i = 0; i < count; ++i) putU16(r.raw, words[i]);
  return r;
}

ReplyCheck checkReply(const Request& r, std::span<const std::uint8_t> reply) {
  if (reply.size() < adu::kExceptionSize) return {kCommunication};
  if (u16At(reply, adu::kProtocol) != 0) return {kProtocolMismatch};
  if (reply[adu::kUnit] != r.raw[0]) return {kStationMismatch};
  if (u16At(reply, adu::kTransaction) != 0 ||
      u16At(reply, adu::kLength) != reply.size() - adu::kLengthBefore)
    return {kCommunication};
  const std::uint8_t function = reply[adu::kFunction];
  if (function == (r.function | 0x80) && reply.size() == adu::kExceptionSize)
    return {exceptionCodeOf(reply[adu::kExceptionCode]), true};
  if (function != r.function) return {kCommunication};
  if (!isRead(function)) return {checkWriteEcho(r, reply)};
  const std::size_t bytes = readDataBytes(r);
  if (reply[adu::kByteCount] != bytes || reply.size() != adu::kReadData + bytes)
    return {kCommunication};
  return {};
}

void unpackReadReply(const Request& r, std::span<const std::uint8_t> reply,
                     std::uint16_t* buffer) {
  const auto data = reply.subspan(adu::kReadData);
  if (!readsBits(r.function)) {
    for (std::size_t i = 0; i < r.count; ++i) buffer[i] = u16At(data, 2 * i);
    return;
  }
  std::fill_n(buffer, (r.count + 15u) / 16u, std::uint16_t{0});
  for (std::size_t i = 0; i < r.count; ++i)
    if ((data[i / 8] >> (i % 8)) & 1u)
      buffer[i / 16] = static_cast<std::uint16_t>(buffer[i / 16] | (1u << (i % 16)));
}

}  // namespace quorra
