#pragma once
// Request frames as the editor builds them, for the simulator's tests.
#include <initializer_list>

#include "frame_codec.h"

namespace trax_sim::test {

inline Bytes request(std::uint8_t code, const Mac& mac, const Bytes& payload = {}) {
  Bytes frame(10 + payload.size() + 1, 0);
  frame[0] = 0xAA;
  frame[3] = code;
  std::copy(mac.begin(), mac.end(), frame.begin() + 4);
  std::copy(payload.begin(), payload.end(), frame.begin() + 10);
  sealFrame(frame);
  return frame;
}

inline Bytes discovery() { return Bytes{0xAA, 0x05, 0x00, 0x01, 0xAE}; }

inline Bytes le32(std::uint32_t v) {
  return Bytes{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
               static_cast<std::uint8_t>(v >> 24)};
}

inline Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace trax_sim::test
