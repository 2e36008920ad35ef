// Arbitrary datagrams against modules in every state, and the same bytes as a
// Modbus TCP request: nothing may crash or read past a buffer. The first two
// bytes pick the time of arrival.
#include <cstddef>
#include <cstdint>

#include "simulator.h"

using namespace trax_sim;

namespace {

Simulator& simulator() {
  static Simulator sim = [] {
    Module running;
    running.mac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    running.timing = Timing{5, 5, 5};
    running.modbus = ModbusService{};
    running.modbus->tables.size = 300;  // requests reach past the end too
    Module boot = running;
    boot.mac[5] = 0x56;
    boot.runMode = kRunModeBootLoader;
    boot.faults.push_back(parseFaultText("failBlock,block=3,times=2"));
    Module faulty = running;
    faulty.faults.push_back(parseFaultText("overlong,codes=6"));
    faulty.faults.push_back(parseFaultText("otherCodeFirst,codes=9"));
    faulty.faults.push_back(parseFaultText("silentAfterWrite"));
    return Simulator({running, boot, faulty});
  }();
  return sim;
}

std::int64_t gNow = 0;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  gNow += data[0] | (data[1] << 8);
  const std::span<const std::uint8_t> datagram(data + 2, size - 2);
  for (const auto& out : simulator().handleDatagram(datagram, gNow))
    if (out.bytes.size() < 5 || out.bytes[0] != 0xAA) __builtin_trap();
  simulator().handleScan(datagram, gNow);
  for (const auto& out : simulator().handleModbus(0, datagram, gNow)) {
    const std::size_t length = out.bytes.size() < kMbapBytes ? 0 : out.bytes[4] << 8 | out.bytes[5];
    if (out.bytes.size() < kMbapBytes + 2 || length + 6 != out.bytes.size()) __builtin_trap();
  }
  return 0;
}
