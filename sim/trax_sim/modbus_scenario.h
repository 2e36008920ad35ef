#pragma once
// A module's "modbus" object of the scenario: where it serves Modbus TCP,
// what its tables hold, and the faults of its Modbus replies.
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "module_state.h"

namespace trax_sim {

// Throws std::runtime_error naming `what` and the field that is wrong.
ModbusService parseModbusService(const nlohmann::json& object, const std::string& what);

// A fault rule that a Modbus server can apply (silent, delay, exception);
// throws for any other kind.
void checkModbusFault(const FaultRule& rule, const std::string& what);

}  // namespace trax_sim
