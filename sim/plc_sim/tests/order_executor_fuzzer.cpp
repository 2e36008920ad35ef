// Any framed request is carried out or refused without reading outside it,
// also with the serial route's PLC model answering the mailbox, the MAC
// table and the command words.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/plc_sim/order_executor.h"
#include "sim/plc_sim/order_layout.h"
#include "sim/plc_sim/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5 || size > 1100) return 0;
  // Frame the input so that it gets past the check byte.
  std::vector<std::uint8_t> request(data, data + size);
  request[0] = plc_sim::kSoh;
  request[2] = 0x01;
  request[size - 2] = plc_sim::kEtb;
  request[size - 1] = plc_sim::xorOf(std::span(request).subspan(1, size - 3));
  static plc_sim::PlcMemory memory;
  static plc_sim::PlcModel model;
  static const bool placed = !plc_sim::applyScenario(R"({"plc": {"family": "z", "text": "I/O Base",
      "modules": [{"group": 0, "slot": 0, "text": "A", "ip": "1.2.3.4"},
                  {"group": 0, "slot": 1, "answer": 3}, {"group": 0, "slot": 2, "refuseMacRead": true},
                  {"group": 3, "slot": 7, "text": "LAST"}]}})", memory, model);
  plc_sim::carryOut(request, memory, placed ? &model : nullptr);
  return 0;
}
