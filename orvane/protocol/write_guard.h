#pragma once
// Called by ModuleLink before every write request (basic settings, advanced
// settings, peer table, factory restore), whoever sends it: the editor's
// commands, orvane-cli, a settings file being loaded, a batch. Sitting in the
// link rather than in each command means no write path can forget it. The
// settings-file backup is its one implementation (orvane/settings_file).
#include "orvane/protocol/config_frame.h"
#include "orvane/protocol/module_record.h"

namespace orvane {

class ModuleLink;

class WriteGuard {
 public:
  virtual ~WriteGuard() = default;
  // Either thread. `to` is where the write goes (MAC and interface).
  // `link` may be used for reads (never for writes: that
  // would call the guard again). False refuses the write: nothing is sent
  // and the write counts as failed.
  virtual bool beforeWrite(ModuleLink& link, CommandCode code, const ModuleAddress& to) = 0;
};

}  // namespace orvane
