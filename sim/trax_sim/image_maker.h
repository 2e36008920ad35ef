#pragma once
// Writes firmware image files for tests, demos and training: magic, version,
// a body of pseudo-random bytes and the XOR check byte.
#include <cstdint>
#include <string>
#include <vector>

#include "module_state.h"

namespace trax_sim {

struct ImageSpec {
  std::uint8_t kind = 2;  // 1 boot loader ("BOOTLOADER"), 2 system program ("M4-TRAX100")
  Version4 version{};
  std::size_t size = 0;   // whole file, check byte included: 38 .. 393216
  bool badCheck = false;  // store the wrong check byte (an image the check must refuse)
  std::uint32_t seed = 1;
};

// Throws std::runtime_error when the size is outside 38 .. 393216.
Bytes makeImage(const ImageSpec& spec);

// "make-image --kind boot|system --version A.B.C.D --size N [--seed S] [--bad-check] OUT";
// returns the exit status, messages on standard error.
int runMakeImage(const std::vector<std::string>& args);

}  // namespace trax_sim
