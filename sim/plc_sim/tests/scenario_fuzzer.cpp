// Any scenario text is either taken or refused with a reason.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/plc_sim/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static plc_sim::PlcMemory memory;
  plc_sim::applyScenario(std::string(reinterpret_cast<const char*>(data), size), memory);
  return 0;
}
