#pragma once
// The four data tables a module serves over Modbus TCP and the answer a real
// device gives to one request PDU (function code and data, no MBAP header).
// Pure logic: the server and the faults live elsewhere.
#include <cstdint>
#include <span>
#include <vector>

#include "frame_codec.h"

namespace trax_sim {

inline constexpr std::uint32_t kModbusAddressSpace = 65536;

struct ModbusTables {
  // Each table holds this many addresses, from 0; a request reaching past the
  // end is refused with exception 2 (illegal data address).
  std::uint32_t size = kModbusAddressSpace;
  std::vector<std::uint8_t> coils = std::vector<std::uint8_t>(kModbusAddressSpace);           // 0 or 1
  std::vector<std::uint8_t> discreteInputs = std::vector<std::uint8_t>(kModbusAddressSpace);  // 0 or 1
  std::vector<std::uint16_t> holdingRegisters = std::vector<std::uint16_t>(kModbusAddressSpace);
  std::vector<std::uint16_t> inputRegisters = std::vector<std::uint16_t>(kModbusAddressSpace);
};

// Standard exception codes.
inline constexpr std::uint8_t kIllegalFunction = 1;
inline constexpr std::uint8_t kIllegalDataAddress = 2;
inline constexpr std::uint8_t kIllegalDataValue = 3;

// FC1-FC6, FC15 and FC16 act on the tables (writes only on coils and holding
// registers); any other function gets exception 1. The checks come in the
// standard order: function, then quantity and request form (exception 3),
// then address range (exception 2); a refused request changes nothing.
Bytes answerModbusPdu(ModbusTables& tables, std::span<const std::uint8_t> pdu);

// The MBAP header: transaction, protocol identifier, length (unit and PDU), unit.
inline constexpr std::size_t kMbapBytes = 7;
// The reply to `request` (header first) carrying `pdu`: transaction, protocol and unit echoed.
Bytes mbapReply(std::span<const std::uint8_t> request, const Bytes& pdu);

// The exception PDU for `function`.
Bytes modbusException(std::uint8_t function, std::uint8_t code);

}  // namespace trax_sim
