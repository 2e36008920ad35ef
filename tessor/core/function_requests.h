#pragma once
// The function codes as requests: what a function-code button does, and the
// request one polling cycle makes for a function code.
#include "tessor/core/data_table.h"
#include "tessor/core/modbus_session.h"
#include "tessor/core/prompt.h"
#include "tessor/core/register_map.h"

namespace tessor {

// One request for Modbus function code 1, 2, 3, 4, 5, 6, 15 or 16; any other
// code makes no request (kRequestNotMade).
int runFunctionCode(ModbusSession& session, int code, bool validate);

// A function-code button: the request with validation, then a warning with the
// status text on failure, the table filled after a read ("成功" after a write).
// The window shows the status text and saves the settings afterwards.
int pressFunctionButton(ModbusSession& session, DataTable& table, Prompt& prompt,
                        FunctionButton button);

// The function list of the polling group for a register type: the names of the
// functions it supports, in button order.
std::vector<std::string> supportedFunctionNames(int registerType);

}  // namespace tessor
