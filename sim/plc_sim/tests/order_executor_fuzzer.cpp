// Any framed request is carried out or refused without reading outside it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/plc_sim/order_executor.h"
#include "sim/plc_sim/order_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5 || size > 1100) return 0;
  // Frame the input so that it gets past the check byte.
  std::vector<std::uint8_t> request(data, data + size);
  request[0] = plc_sim::kSoh;
  request[2] = 0x01;
  request[size - 2] = plc_sim::kEtb;
  request[size - 1] = plc_sim::xorOf(std::span(request).subspan(1, size - 3));
  static plc_sim::PlcMemory memory;
  plc_sim::carryOut(request, memory, nullptr);
  return 0;
}
