// Operations 9 and 10 on the serial route, the basic settings command, and
// the write loop that the last two share.
#include "orvane/protocol/process_flags.h"
#include "orvane/protocol/settings_texts.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/serial/serial_route.h"
#include "orvane/serial/serial_texts.h"
#include "orvane/serial/version_text.h"

namespace orvane {

namespace {

// What the factory restore writes, as the manual and as the current address.
constexpr Ipv4Bytes kFactoryIp{192, 168, 1, 1};
constexpr Ipv4Bytes kFactoryMask{255, 255, 255, 0};
constexpr Ipv4Bytes kFactoryGateway{192, 168, 1, 9};
constexpr std::uint32_t kFactoryStation = 1;

}  // namespace

void SerialRoute::refresh(int index) {
  if (index < 0 || index >= kModuleTableSize) return;
  std::string text;
  if (!operations_.readModuleInfo(index, text)) return;
  ModuleVersionInfo versions{};
  applySerialVersion(text, versions);
  view_.ui().showVersions(kRunModeUnknown, versions);
}

void SerialRoute::restoreFactory(int row) {
  auto result = restoreSteps(row);
  std::lock_guard lock(mutex_);
  lastRestore_ = std::move(result);
}

SerialResult SerialRoute::restoreSteps(int row) {
  const auto index = recordOfRow(row);
  if (!index) return {};
  if (view_.prompt().messageBox(serial_texts::kRestoreQuestion, texts::kCaptionWarning,
                                MessageIcon::Warning, MessageButtons::OkCancel) != MessageAnswer::Ok)
    return {SerialOutcome::Cancelled, {}};
  ModuleRecord working;
  settingsCopy(working, *view_.table().record(*index));
  working.ipAddress = working.currentIp = kFactoryIp;
  working.subnetMask = working.currentMask = kFactoryMask;
  working.gateway = working.currentGateway = kFactoryGateway;
  working.moduleId = kFactoryStation;
  CommunicationScope busy(view_.flags());
  auto result = writeUntilDone(*index, row, working, serial_texts::kRestoreFailed);
  if (result.outcome != SerialOutcome::Done) return result;
  view_.table().update(*index, [&](ModuleRecord& r) { settingsCopy(r, working); });
  view_.ui().refreshList(row);
  return result;
}

SerialResult SerialRoute::writeUntilDone(int index, int row, ModuleRecord& working,
                                         std::string_view failureBox) {
  std::string text;
  bool statusReported = false;
  while (!operations_.writeModuleParameters(working, text, &statusReported)) {
    if (statusReported) showReportedStatus(index, row, working);
    if (!failureBox.empty()) errorBox(failureBox);
    if (view_.flags().closing) return {SerialOutcome::Closing, text};
    view_.status().set(text);
    view_.busyIndicatorOff();
    if (!view_.selectSerialPort()) return {SerialOutcome::Failed, text};
    view_.busyIndicatorOn();
  }
  return {SerialOutcome::Done, {}};
}

void SerialRoute::showReportedStatus(int index, int row, const ModuleRecord& working) {
  view_.table().update(index, [&](ModuleRecord& r) {
    if (r.mac == working.mac) r.statusFlags = working.statusFlags;
  });
  view_.ui().refreshList(row);
}

std::optional<int> SerialRoute::recordOfRow(int row) {
  if (row < 0) return std::nullopt;
  const int index = view_.table().findByMacText(view_.ui().rowMacText(row));
  if (index >= view_.table().count()) return std::nullopt;  // an empty table
  return index;
}

SerialResult SerialRoute::basicSettings(int row, const EditBasicSettings& edit) {
  CommunicationScope busy(view_.flags());
  const auto index = recordOfRow(row);
  if (!index) return {};
  ModuleRecord copy;
  settingsCopy(copy, *view_.table().record(*index));
  if (!edit(copy, kProtocolSerial)) return {SerialOutcome::Cancelled, {}};
  view_.busyIndicatorOn();
  auto result = basicSteps(*index, row, copy);
  view_.status().set(texts::kReady);
  view_.busyIndicatorOff();
  return result;
}

SerialResult SerialRoute::basicSettings(int row, SettingsDialogs& dialogs) {
  return basicSettings(row, [&](ModuleRecord& copy, int protocolType) {
    return dialogs.editBasicSettings(copy, protocolType);
  });
}

// Write (with the port selection while it fails), then the version and the
// parameters read back through the PLC into the table record.
SerialResult SerialRoute::basicSteps(int index, int row, ModuleRecord& copy) {
  auto result = writeUntilDone(index, row, copy, {});
  if (result.outcome != SerialOutcome::Done) return result;
  std::string infoText;
  if (!operations_.readModuleInfo(index, infoText)) {
    errorBox(texts::kReadVersionFailed);
    return {SerialOutcome::Failed, infoText};
  }
  view_.table().update(index, [&](ModuleRecord& r) { applySerialVersion(infoText, r.versions); });
  view_.ui().refreshList(row);
  // A text of its own: a failed close appends to it (see readListedModules).
  std::string parametersText;
  if (!operations_.readModuleParameters(index, parametersText)) {
    errorBox(parametersText);
    return {SerialOutcome::Failed, parametersText};
  }
  return result;
}

}  // namespace orvane
