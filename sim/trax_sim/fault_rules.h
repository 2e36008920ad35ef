#pragma once
// Faults injected into one simulated module: each rule names what goes wrong,
// optionally for which command codes only, and optionally how many times.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace trax_sim {

enum class FaultKind {
  Silent,                // no reply at all
  Delay,                 // reply `ms` late
  OtherCodeFirst,        // a datagram with another command code before the reply
  Overlong,              // reply padded to `size` bytes
  Result,                // write replies carry `value` as result byte; nothing is changed
  Duplicate,             // the reply is sent twice
  SilentAfterWrite,      // after an accepted settings write, the next `value` requests go unanswered
  NeverEnterBootLoader,  // EnterBootLoader is not answered and the module stays where it is
  BootLoaderSilent,      // the boot loader answers nothing
  SilentAfterRestart,    // after RestartModule the module stays silent `ms` (absent: for good), or
                         // once back leaves the next `value` requests unanswered
  Exception,             // Modbus TCP only: the request is answered with exception `value`, nothing changes
};

struct FaultRule {
  FaultKind kind = FaultKind::Silent;
  std::vector<std::uint8_t> codes;  // empty: every command
  int times = -1;                   // applications left; -1 without limit
  int value = 1;                    // Result: result byte; SilentAfter*: request count; Exception: code
  int ms = 0;                       // Delay; SilentAfterRestart (-1: for good)
  int size = 600;                   // Overlong: whole datagram size
  int block = 0;                    // Result: only this WriteFirmwareBlock number (0: any)

  bool coversCode(std::uint8_t code) const;
  bool spent() const { return times == 0; }
  void use() {
    if (times > 0) --times;
  }
};

// A rule from its JSON object, e.g. {"kind":"delay","ms":50,"codes":[6]}.
// Aliases: "eraseFails", "failBlock" (with "block"), "verifyFails",
// "restartFails" are result faults on EraseFirmware, WriteFirmwareBlock,
// VerifyFirmware and RestartModule. Throws std::runtime_error on bad input.
FaultRule parseFaultRule(const nlohmann::json& object);

// The command-line form "kind[,key=value...]" (codes as "6+9", numbers decimal
// or 0x hex), or a JSON object when the text starts with '{'.
FaultRule parseFaultText(const std::string& text);

const char* faultKindName(FaultKind kind);

}  // namespace trax_sim
