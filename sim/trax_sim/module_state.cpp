#include "module_state.h"

namespace trax_sim {

void advanceModule(Module& module, std::int64_t nowMs) {
  if (!module.pending || module.pending->forever || nowMs < module.pending->atMs) return;
  module.runMode = module.pending->runMode;
  module.pending.reset();
}

bool moduleSilentAt(const Module& module, std::int64_t nowMs) {
  return module.pending && (module.pending->forever || nowMs < module.pending->atMs);
}

void applyAddressing(Module& module) {
  // Without a DHCP server in the simulation, automatic mode keeps the
  // address in use as it is.
  if (module.basic.addressMode != 1) return;
  module.currentIp = module.basic.ipAddress;
  module.currentMask = module.basic.subnetMask;
  module.currentGateway = module.basic.gateway;
}

}  // namespace trax_sim
