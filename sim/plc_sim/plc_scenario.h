#pragma once
// The "plc" section of a scenario file: the PLC model of the serial route.
//   "plc": { "family": "z", "text": "VT-PLC I/O Base",
//            "modules": [ { "group": 0, "slot": 1, "mac": "00:1A:2B:3C:4D:5E",
//                           "text": "TRAX ETHERNET MODULE 1.05",
//                           "ip": "192.168.1.5", "mask": "255.255.255.0",
//                           "gateway": "192.168.1.1", "station": 3,
//                           "status": 0, "words": [0, "0x0300"],
//                           "answer": "take", "refuseMacRead": false } ] }
// ip, mask, gateway and station are written into the module's word area in
// BCD; "words" then replaces the area's words from word 0 on, as they stand
// (for values that are no valid BCD or above 255). "answer" is "take" or a
// status code 0-255 left in word 0 after the command word.
#include <nlohmann/json.hpp>

#include "sim/plc_sim/plc_model.h"

namespace plc_sim {

// Throws scenario_values::ScenarioError with the place and the reason.
void readPlcSection(const nlohmann::json& plc, PlcModel& model);

}  // namespace plc_sim
