// The body of every background operation and the two network operations
// built into the view: the scan (1) and the refresh of one module (9).
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/module_replies.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

void OrvaneViewCore::busyIndicatorOn() {
  if (!ui_.hasProgressControl()) return;
  status_.set(texts::kCommunicating);
  ui_.busyIndicator(true);
}

void OrvaneViewCore::busyIndicatorOff() {
  if (ui_.hasProgressControl()) ui_.busyIndicator(false);
}

void OrvaneViewCore::runOperation(int code, int row) {
  busyIndicatorOn();
  ui_.waitCursor(true);
  dispatch(code, row);
  status_.set(texts::kReady);
  ui_.waitCursor(false);
  busyIndicatorOff();
}

void OrvaneViewCore::dispatch(int code, int row) {
  const int route = protocolType_ == kProtocolSerial ? kProtocolSerial : kProtocolTcpIp;
  const auto handler = handlers_.find({code, route});
  if (handler == handlers_.end() || !handler->second) return;
  int target = row;
  const bool takesRow = code == kOperationScan ||
                        (code == kOperationFactoryRestore && route == kProtocolSerial);
  if (!takesRow) target = table_.findByMacText(ui_.rowMacText(row));
  handler->second(target);
}

void OrvaneViewCore::scanNetwork() {
  table_.resetAll();
  // A full table takes no further reply: the rest are received and dropped
  // until the discovery's time-out, so the scan still ends 100 ms after the
  // last reply and nothing is written past the 256 records.
  const auto result = link_.broadcastDiscovery(
      [this](std::span<const std::uint8_t> reply, const std::string& interfaceName) {
        table_.appendDiscoveryReply(reply, interfaceName);
      });
  if (result.status == DiscoveryStatus::StartupFailed) busyIndicatorOff();
  // Once the program is closing, the modules not yet read are left as they
  // are: the window waits for nothing but the exchange under way.
  const int count = table_.count();
  for (int i = 0; i < count && !flags_.closing; ++i) readModuleDetails(i);
  {
    std::lock_guard lock(mutex_);
    lastDiscovery_ = result;
  }
  ui_.refreshList(-1);
  if (count > 0) {
    const auto first = table_.record(0);
    ui_.showInterface(first->interfaceName);
    ui_.showVersions(first->runMode, first->versions);
  }
}

// Versions, and basic settings for a compatible module running its system
// program. A failed read leaves the record as it was.
void OrvaneViewCore::readModuleDetails(int index) {
  const auto record = *table_.record(index);
  auto versions = record.versions;
  if (record.runMode == kRunModeBootLoader) {
    if (link_.readBootInfo(moduleAddress(record), versions))
      table_.update(index, [&](ModuleRecord& r) { r.versions = versions; });
    return;
  }
  if (link_.readSystemInfo(moduleAddress(record), versions))
    table_.update(index, [&](ModuleRecord& r) { r.versions = versions; });
  if (checkCompatibility(index) != 0) return;
  ModuleRecord settings = record;
  if (link_.readBasicSettings(moduleAddress(record), settings))
    table_.update(index, [&](ModuleRecord& r) { copyBasicSettingsFields(settings, r); });
}

void OrvaneViewCore::refreshNetwork(int index) {
  const auto record = table_.record(index);
  if (!record) return;  // an index above 255
  ModuleVersionInfo versions{};
  bool read = false;
  const auto address = moduleAddress(*record);
  if (record->runMode == kRunModeSystemProgram) read = link_.readSystemInfo(address, versions);
  else if (record->runMode == kRunModeBootLoader) read = link_.readBootInfo(address, versions);
  else return;
  if (!read) return;
  table_.update(index, [&](ModuleRecord& r) { r.versions = versions; });
  ui_.showInterface(record->interfaceName);
  ui_.showVersions(record->runMode, versions);
}

}  // namespace orvane
