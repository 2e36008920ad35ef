#pragma once
// What a simulated module does with each request of the module protocol,
// before injected faults shape the reply.
#include <cstdint>
#include <optional>
#include <string>

#include "frame_codec.h"
#include "module_state.h"

namespace trax_sim {

// Result bytes of refused writes (0 is success; 1 is what a result fault
// sends unless it names another value).
enum RefusalCode : std::uint8_t {
  kResultOk = 0,
  kRefusedLength = 0x10,       // request length does not fit the command
  kRefusedPeerCount = 0x11,    // more than 30 peer entries
  kRefusedManualReset = 0x30,  // reset switch in the manual position
  kRefusedNotErased = 0x20,    // no erase before, or another kind than erased
  kRefusedBlockNumber = 0x21,
  kRefusedBlockOffset = 0x22,
  kRefusedBlockLength = 0x23,  // zero, over 512, not a multiple of 4, after a short block, too much
  kRefusedTotal = 0x24,        // verify total differs from the bytes written
  kRefusedCheckByte = 0x25,    // XOR of the data differs from the check byte
  kRefusedMagic = 0x26,        // the image does not start with the magic of its kind
  kRefusedKind = 0x27,         // kind neither 1 nor 2
};

struct Handled {
  std::optional<Bytes> reply;    // nothing: the module does not answer
  int extraDelayMs = 0;          // work that takes the module time (erasing)
  bool settingsWritten = false;  // an accepted write of basic, advanced or peer settings
  std::uint8_t verifiedKind = 0; // a download just verified (1 boot loader, 2 system program)
  std::string note;              // why a request was refused or ignored
};

// Whether the program the module runs now (boot loader or system program)
// knows the command at all.
bool moduleAnswers(const Module& module, std::uint8_t code);

// Runs one request on the module; `nowMs` times boot loader transitions.
Handled handleRequest(Module& module, const Request& request, std::int64_t nowMs);

// The discovery reply alone (also used by the scan port's answer).
Bytes discoveryReply(const Module& module);

// Commands of the system program (settings, versions, factory restore).
Handled handleSettingsCommand(Module& module, const Request& request);
// Commands of the boot loader, and the system program's EnterBootLoader.
Handled handleBootCommand(Module& module, const Request& request, std::int64_t nowMs);

}  // namespace trax_sim
