#pragma once
// Saving and loading a settings file through the editor's own settings
// commands, so that a file goes through exactly what the dialogs go
// through: the compatibility and manual reset refusals, the reads, the
// writes with their re-read and error boxes, the backup before each write.
// The commands' edit step is this dialog set: it takes what the dialog was
// opened with (save) or puts the file's values in and presses OK (load).
#include <vector>

#include "orvane/protocol/settings_commands.h"
#include "orvane/settings_file/module_settings.h"

namespace orvane::settings_file {

class SettingsFileDialogs final : public SettingsDialogs {
 public:
  // Outside a file flow the dialogs are `others` (the editor's own; none on
  // the command line, where they cancel).
  explicit SettingsFileDialogs(SettingsDialogs* others = nullptr) : others_(others) {}

  // What the next dialogs do: record what they are opened with and cancel,
  // hand back `wanted` with OK, or be the other dialogs again.
  void capture() { mode_ = Mode::Capture, captured_ = {}; }
  void apply(const ModuleSettings& wanted) { mode_ = Mode::Apply, wanted_ = &wanted; }
  void forward() { mode_ = Mode::Forward, wanted_ = nullptr; }
  // What the dialogs were opened with since capture().
  const ModuleSettings& captured() const { return captured_; }

  bool editBasicSettings(ModuleRecord& record, int protocolType) override;
  bool editAdvancedSettings(AdvancedSettings& settings) override;
  bool editPeerTable(std::vector<PeerEntry>& entries) override;

 private:
  enum class Mode { Forward, Capture, Apply };
  SettingsDialogs* others_;
  Mode mode_ = Mode::Forward;
  const ModuleSettings* wanted_ = nullptr;
  ModuleSettings captured_;
};

// "基本配置...", "高级配置..." and "点对点配置..." on `row`, each opened and
// cancelled; Done with the three sections in `settings`, else the outcome
// of the command that stopped (its box has been shown).
SettingsOutcome readThroughCommands(SettingsCommands& commands, SettingsFileDialogs& dialogs,
                                    int row, ModuleSettings& settings);

// The commands of the sections `changes` names, in the dialogs' order, each
// confirmed with `wanted`; Done, or the outcome of the first that failed
// (the sections after it are not written).
SettingsOutcome writeThroughCommands(SettingsCommands& commands, SettingsFileDialogs& dialogs,
                                     int row, const ModuleSettings& wanted,
                                     const std::vector<FieldChange>& changes);

// A load onto `row` before anything is written: the module's settings as
// read, what the file would leave there (settingsAfterLoad) and the fields
// that differ.
struct LoadPlan {
  ModuleSettings current;
  ModuleSettings wanted;
  std::vector<FieldChange> changes;
};
SettingsOutcome planLoad(SettingsCommands& commands, SettingsFileDialogs& dialogs, int row,
                         const ModuleSettings& file, bool copyIdentity, LoadPlan& plan);

// Writes the sections the plan changes, reads the module again and leaves in
// `left` the fields that did not come back as wanted; Done, or the outcome of
// the command that stopped.
SettingsOutcome writeAndVerify(SettingsCommands& commands, SettingsFileDialogs& dialogs, int row,
                               const LoadPlan& plan, std::vector<FieldChange>& left);

}  // namespace orvane::settings_file
