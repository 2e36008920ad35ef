#pragma once
// The communication-busy flag for the length of a scope.
#include "orvane/protocol/process_flags.h"

namespace orvane {

class BusyFlag {
 public:
  explicit BusyFlag(ProcessFlags& flags) : flags_(flags) { flags_.communicationBusy = true; }
  ~BusyFlag() { flags_.communicationBusy = false; }
  BusyFlag(const BusyFlag&) = delete;
  BusyFlag& operator=(const BusyFlag&) = delete;

 private:
  ProcessFlags& flags_;
};

}  // namespace orvane
