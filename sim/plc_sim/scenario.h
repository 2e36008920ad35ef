#pragma once
// The scenario file: what the PLC memory holds when the simulator starts.
// JSON, for example
//   { "bytes": [ {"address": 15, "text": "z"},
//                {"address": 355, "hex": "00 12 00 00"} ],
//     "words": [ {"address": 16064, "data": [0, "0x0192", 168]} ],
//     "areas": [ {"area": 190, "address": 0, "data": [0, 17, 34]} ] }
// Byte and area entries carry exactly one of "data" (numbers 0-255 or
// number strings such as "0x5A"), "hex" (hexadecimal byte pairs, spaces
// allowed) or "text" (its bytes as written); word entries carry "data"
// (numbers 0-65535 or number strings). Every key is optional; unknown keys
// are errors, so that a misspelt key does not go unnoticed.
#include <optional>
#include <string>

#include "sim/plc_sim/plc_memory.h"

namespace plc_sim {

// Fills `memory`; the error text when the scenario is not valid (the memory
// may then be partly filled).
std::optional<std::string> applyScenario(const std::string& jsonText, PlcMemory& memory);
std::optional<std::string> loadScenario(const std::string& path, PlcMemory& memory);

}  // namespace plc_sim
