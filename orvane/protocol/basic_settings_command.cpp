// "基本配置..." on the network route: read, edit, write, wait, re-read, show.
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/settings_commands.h"
#include "orvane/protocol/settings_requests.h"
#include "orvane/protocol/settings_texts.h"
#include "orvane/protocol/module_replies.h"

namespace orvane {

SettingsOutcome SettingsCommands::basicSettings(int row) {
  if (view_.protocolType() != kProtocolTcpIp) return SettingsOutcome::NotRun;
  view_.busyIndicatorOn();
  ModuleRecord working;  // a reset record
  const auto outcome = basicSteps(row, working);
  if (isRefusal(outcome)) return outcome;  // the warnings stop without "就绪"
  ready();
  view_.busyIndicatorOff();
  return outcome;
}

SettingsOutcome SettingsCommands::basicSteps(int row, ModuleRecord& working) {
  const auto target = selectedModule(row);
  if (!target) return SettingsOutcome::NotRun;
  if (const auto refused = refusal(target->index)) return *refused;
  working.mac = target->mac;
  working.interfaceName = target->interfaceName;
  if (target->runMode == kRunModeBootLoader) return SettingsOutcome::BootLoader;
  if (!view_.link().readBasicSettings(target->address(), working)) {
    errorBox(texts::kReadBasicFailed);
    return SettingsOutcome::ReadFailed;
  }
  ready();
  view_.busyIndicatorOff();
  ModuleRecord edited;
  settingsCopy(edited, working);
  if (!dialogs_.editBasicSettings(edited, kProtocolTcpIp)) return SettingsOutcome::Cancelled;
  view_.busyIndicatorOn();
  settingsCopy(working, edited);
  // The dialog edits settings, never the address of the module.
  working.mac = target->mac;
  working.interfaceName = target->interfaceName;
  return writeBasic(row, *target, working);
}

SettingsOutcome SettingsCommands::writeBasic(int row, const Target& target, ModuleRecord& working) {
  if (!writeBasicSettings(view_.link(), working)) {
    errorBox(texts::kWriteBasicFailed);
    return SettingsOutcome::WriteFailed;
  }
  wait_(kBasicSettleTime);
  if (!view_.link().readBasicSettings(target.address(), working)) {
    errorBox(texts::kRereadBasicFailed);
    return SettingsOutcome::RereadFailed;
  }
  showWrittenRow(row, working);
  return takeVersions(row, target.index, working);
}

// The row shows what was written, the manual IP address included, until the
// next whole-list refresh shows the address in use again.
void SettingsCommands::showWrittenRow(int row, const ModuleRecord& working) {
  auto& ui = view_.ui();
  ui.setRowText(row, kColumnName, nameUtf8(working));
  ui.setRowText(row, kColumnIp, paddedIpText(working.ipAddress));
  ui.setRowText(row, kColumnId, idText(working, kProtocolTcpIp));
  ui.setRowText(row, kColumnDescription, descriptionUtf8(working));
}

// The table record changes only here, after the write, the re-read and the
// version read all succeeded. It takes what this command read (the basic
// settings and the versions); its run mode, status flags and serial-route
// bytes stay, since nothing here read them.
SettingsOutcome SettingsCommands::takeVersions(int row, int index, ModuleRecord& working) {
  if (!view_.link().readSystemInfo(moduleAddress(working), working.versions)) {
    errorBox(texts::kReadVersionFailed);
    return SettingsOutcome::VersionReadFailed;
  }
  view_.ui().setRowText(row, kColumnVersion, versionText(working, kProtocolTcpIp));
  view_.table().update(index, [&](ModuleRecord& record) {
    // A scan rebuilt the table meanwhile.
    if (moduleAddress(record) != moduleAddress(working)) return;
    copyBasicSettingsFields(working, record);
    record.versions = working.versions;
  });
  return SettingsOutcome::Done;
}

}  // namespace orvane
