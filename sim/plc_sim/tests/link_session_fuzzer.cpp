// Whatever arrives on the line, the simulated PLC neither crashes nor reads
// outside its memory.
#include <cstddef>
#include <cstdint>
#include <span>

#include "sim/plc_sim/link_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  plc_sim::LinkFaults faults;
  faults.naks = data[0] & 7;
  faults.badCheck = data[0] & 8;
  faults.stopHalfWay = data[0] & 16;
  if (data[0] & 32) faults.marker = static_cast<std::uint8_t>(0xFC + (data[0] >> 6) % 3);
  const std::size_t chunk = 1 + data[1] % 32;
  static plc_sim::PlcMemory memory;
  plc_sim::LinkSession session(memory, faults);
  const std::span<const std::uint8_t> stream(data + 2, size - 2);
  // 100 ms a byte, so that unfinished requests run into their time-out too.
  for (std::size_t at = 0; at < stream.size(); at += chunk)
    session.receive(stream.subspan(at, std::min(chunk, stream.size() - at)), static_cast<std::int64_t>(at) * 100);
  return 0;
}
