#pragma once
// Text the PLC hands over: single-byte text (code page 936) in a reply's
// data, ending at its first zero byte or at the end of the data.
#include <cstdint>
#include <span>
#include <string>

namespace orvane {

std::string plcTextUtf8(std::span<const std::uint8_t> data);

}  // namespace orvane
