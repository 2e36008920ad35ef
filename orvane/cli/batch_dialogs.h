#pragma once
// The settings dialogs of `orvane-cli apply`, one file line at a time: the
// line's cells are typed into the dialog opened on what the module holds
// (so the dialog's checks run on the module's own values too), and OK is
// pressed only when that changes something, and never in a dry run. What
// would change is kept, one "label: old → new" line per field.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch_file.h"
#include "cli_dialogs.h"

namespace orvane::cli {

class BatchDialogs final : public SettingsDialogs {
 public:
  BatchDialogs(Prompt& prompt, std::ostream& out, bool dryRun)
      : prompt_(prompt), out_(out), dryRun_(dryRun) {}

  // Before the commands of `line`'s module.
  void begin(const BatchLine& line);

  // Whether the last dialog refused its input (its message has been shown).
  bool refused() const { return inner_ && inner_->refused(); }
  // Whether the last dialog found something to change.
  bool changed() const { return changed_; }
  // Every field the module's dialogs changed (or would change) so far.
  const std::vector<std::string>& differences() const { return differences_; }

  bool editBasicSettings(ModuleRecord& record, int protocolType) override;
  bool editAdvancedSettings(AdvancedSettings& settings) override;
  bool editPeerTable(std::vector<PeerEntry>&) override { return false; }

 private:
  bool take(std::vector<std::string> differences);

  Prompt& prompt_;
  std::ostream& out_;
  const bool dryRun_;
  std::optional<CliDialogs> inner_;
  bool changed_ = false;
  std::vector<std::string> differences_;
};

// "label: old → new" for each field the dialog writes that differs.
std::vector<std::string> basicDifferences(const ModuleRecord& before, const ModuleRecord& after);
std::vector<std::string> advancedDifferences(const AdvancedSettings& before,
                                             const AdvancedSettings& after);

}  // namespace orvane::cli
