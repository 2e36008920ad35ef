#include "settings_file_flows.h"

namespace orvane::settings_file {

bool SettingsFileDialogs::editBasicSettings(ModuleRecord& record, int protocolType) {
  if (mode_ == Mode::Forward) return others_ && others_->editBasicSettings(record, protocolType);
  if (mode_ == Mode::Capture) {
    captured_.basic = record;
    return false;
  }
  const auto& w = wanted_->basic;
  record.moduleId = w.moduleId;
  record.name = w.name;
  record.description = w.description;
  record.addressMode = w.addressMode;
  record.ipAddress = w.ipAddress;
  record.subnetMask = w.subnetMask;
  record.gateway = w.gateway;
  return true;
}

bool SettingsFileDialogs::editAdvancedSettings(AdvancedSettings& settings) {
  if (mode_ == Mode::Forward) return others_ && others_->editAdvancedSettings(settings);
  if (mode_ == Mode::Capture) {
    captured_.advanced = settings;
    return false;
  }
  settings.masterTimeoutMs = wanted_->advanced.masterTimeoutMs;
  settings.slaveTimeoutSec = wanted_->advanced.slaveTimeoutSec;
  return true;
}

bool SettingsFileDialogs::editPeerTable(std::vector<PeerEntry>& entries) {
  if (mode_ == Mode::Forward) return others_ && others_->editPeerTable(entries);
  if (mode_ == Mode::Capture) {
    captured_.peers = entries;
    return false;
  }
  entries = wanted_->peers;
  return true;
}

SettingsOutcome readThroughCommands(SettingsCommands& commands, SettingsFileDialogs& dialogs,
                                    int row, ModuleSettings& settings) {
  dialogs.capture();
  for (auto command : {&SettingsCommands::basicSettings, &SettingsCommands::advancedSettings,
                       &SettingsCommands::peerSettings}) {
    const auto outcome = (commands.*command)(row);
    if (outcome != SettingsOutcome::Cancelled) return dialogs.forward(), outcome;
  }
  settings = dialogs.captured();
  dialogs.forward();
  settings.advanced.mac = settings.basic.mac;
  return SettingsOutcome::Done;
}

SettingsOutcome writeThroughCommands(SettingsCommands& commands, SettingsFileDialogs& dialogs,
                                     int row, const ModuleSettings& wanted,
                                     const std::vector<FieldChange>& changes) {
  dialogs.apply(wanted);
  const std::pair<Section, SettingsOutcome (SettingsCommands::*)(int)> sections[] = {
      {Section::Basic, &SettingsCommands::basicSettings},
      {Section::Advanced, &SettingsCommands::advancedSettings},
      {Section::Peers, &SettingsCommands::peerSettings}};
  SettingsOutcome outcome = SettingsOutcome::Done;
  for (const auto& [section, command] : sections) {
    if (!sectionDiffers(changes, section)) continue;
    outcome = (commands.*command)(row);
    if (outcome != SettingsOutcome::Done) break;
  }
  dialogs.forward();
  return outcome;
}

SettingsOutcome planLoad(SettingsCommands& commands, SettingsFileDialogs& dialogs, int row,
                         const ModuleSettings& file, bool copyIdentity, LoadPlan& plan) {
  const auto outcome = readThroughCommands(commands, dialogs, row, plan.current);
  if (outcome != SettingsOutcome::Done) return outcome;
  plan.wanted = settingsAfterLoad(plan.current, file, copyIdentity);
  plan.changes = settingsChanges(plan.current, plan.wanted);
  return SettingsOutcome::Done;
}

SettingsOutcome writeAndVerify(SettingsCommands& commands, SettingsFileDialogs& dialogs, int row,
                               const LoadPlan& plan, std::vector<FieldChange>& left) {
  auto outcome = writeThroughCommands(commands, dialogs, row, plan.wanted, plan.changes);
  if (outcome != SettingsOutcome::Done) return outcome;
  ModuleSettings reread;
  outcome = readThroughCommands(commands, dialogs, row, reread);
  if (outcome != SettingsOutcome::Done) return outcome;
  left = settingsChanges(plan.wanted, reread);
  return SettingsOutcome::Done;
}

}  // namespace orvane::settings_file
