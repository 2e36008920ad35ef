#pragma once
// Carries out one request on the PLC memory and builds the
// reply (the bytes that follow the PLC's ACK): SOH, command code, 0x01,
// status or marker, payload, ETB, check byte over everything between SOH and
// ETB. Reads return the data; writes return the 7-byte acknowledgement;
// orders that only a marker reply can end, and reads or writes past the end
// of an area, and requests that are not well formed or not of their
// order's length, get the 8-byte 0xFC marker reply; the other orders get a reply
// of their expected length holding zeros.
#include <cstdint>
#include <span>
#include <vector>

#include "sim/plc_sim/plc_memory.h"

namespace plc_sim {

std::vector<std::uint8_t> carryOut(std::span<const std::uint8_t> request, PlcMemory& memory,
                                   PlcHooks* hooks);

std::vector<std::uint8_t> replyFrame(std::uint8_t command, std::uint8_t status,
                                     std::span<const std::uint8_t> payload);

// Marker replies as Wirelet reads them: 0xFC 8 bytes, 0xFD 9 bytes, 0xFE
// (b + 4) x 3 bytes with b = 1 in reply byte 8.
std::vector<std::uint8_t> markerReply(std::uint8_t command, std::uint8_t marker);

}  // namespace plc_sim
