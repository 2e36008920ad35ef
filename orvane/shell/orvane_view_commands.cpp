// The commands of the module list view: what the menus, the toolbar, the
// context menu and the configuration panel run, their enabled and checked
// state, and the view's part of closing the main window.
#include <QApplication>
#include <QMetaObject>
#include <QPointer>

#include "editor_operations.h"
#include "list_hand_off.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane_view.h"

namespace orvane {

void COrvaneView::attachOperations(EditorOperations& operations) { operations_ = &operations; }

int COrvaneView::firstSelectedRow() const {
  int first = -1;
  for (const auto& index : selectionModel()->selectedRows())
    if (first < 0 || index.row() < first) first = index.row();
  return first;
}

CommandContext COrvaneView::commandContext() const {
  CommandContext context;
  context.protocolType = core_.protocolType();
  context.selectedRow = firstSelectedRow();
  if (context.selectedRow >= 0) context.runMode = core_.runModeOfRow(rowMacText(context.selectedRow));
  return context;
}

bool COrvaneView::commandEnabled(int command) const {
  return orvane::commandEnabled(command, commandContext());
}

bool COrvaneView::commandChecked(int command) const {
  return orvane::commandChecked(command, commandContext());
}

bool COrvaneView::runCommand(int command) {
  switch (command) {
    case kCmdFindModules: findModules(); return true;
    case kCmdRouteTcpIp: setRoute(kProtocolTcpIp); return true;
    case kCmdRouteSerial: setRoute(kProtocolSerial); return true;
    case kCmdBasicSettings: basicSettings(); return true;
    case kCmdAdvancedSettings: advancedSettings(); return true;
    case kCmdPeerSettings: peerSettings(); return true;
    case kCmdSaveSettings:
    case kCmdLoadSettings: settingsFile(command); return true;
    case kCmdFirmwareUpgrade: firmwareUpgrade(); return true;
    case kCmdFactoryRestore: factoryRestore(); return true;
    case kCmdExport: exportModuleList(*this, core_.prompt(), window()); return true;
    // ORVANETEST lies in the data directory, the program's own even when
    // Lumen_.ini is the user's copy.
    case kCmdTest: testSelectedModule(*this, core_.table(), core_.config().directory()); return true;
    default: return false;
  }
}

// The previous operation gets 100 ms; one still running then keeps the new
// scan from starting, and rebuilds the emptied list when it ends.
void COrvaneView::findModules() {
  deleteAllRows();
  emit commandStateChanged();
  if (core_.worker().end(kSelectionWait, workerPump_)) core_.findModules();
}

void COrvaneView::setRoute(int protocolType) {
  core_.setProtocolType(protocolType);
  if (protocolType == kProtocolSerial)
    core_.ui().portButton("COM" + std::to_string(core_.portCom()), true);
  else
    core_.ui().portButton("TCP/IP", false);
  core_.ui().selectionState(protocolType, 0);
  findModules();
}

void COrvaneView::choosePort() {
  if (core_.protocolType() == kProtocolSerial) core_.selectSerialPort();
}

void COrvaneView::settingsFile(int command) {
  if (!operations_ || !commandEnabled(command)) return;
  auto& flows = operations_->settingsFile();
  if (command == kCmdSaveSettings) flows.saveSettings(firstSelectedRow());
  else flows.loadSettings(firstSelectedRow());
  emit commandStateChanged();
}

void COrvaneView::basicSettings() {
  if (!operations_ || !commandEnabled(kCmdBasicSettings)) return;
  const int row = firstSelectedRow();
  if (core_.protocolType() == kProtocolSerial)
    operations_->serial().basicSettings(row, operations_->dialogs());
  else
    operations_->settings().basicSettings(row);
  emit commandStateChanged();
}

void COrvaneView::advancedSettings() {
  if (!operations_ || !commandEnabled(kCmdAdvancedSettings)) return;
  operations_->settings().advancedSettings(firstSelectedRow());
}

void COrvaneView::peerSettings() {
  if (!operations_ || !commandEnabled(kCmdPeerSettings)) return;
  operations_->settings().peerSettings(firstSelectedRow());
}

// The progress dialog opens at the latest value the download reported, so
// that an upgrade over before the dialog appears closes it at once.
void COrvaneView::firmwareUpgrade() {
  if (!operations_ || !commandEnabled(kCmdFirmwareUpgrade)) return;
  auto& upgrade = operations_->upgrade();
  FirmwareUpgrade::StartOptions options;
  options.pump = workerPump_;
  if (upgrade.start(firstSelectedRow(), options))
    emit firmwareUpgradeStarted(upgrade.progress().latest());
}

void COrvaneView::factoryRestore() {
  if (!operations_ || !commandEnabled(kCmdFactoryRestore)) return;
  operations_->settings().factoryRestore(firstSelectedRow());
}

void COrvaneView::progressPosted(int percent) { emit progress(percent); }

bool COrvaneView::queryClose() {
  if (!operations_) {
    core_.flags().closing = true;
    return true;
  }
  auto& closing = operations_->closing();
  if (!closing.confirmClose()) return false;
  QPointer<QWidget> frame = window();
  return closing.waitIdle([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); },
                          [frame] {
                            if (frame)
                              QMetaObject::invokeMethod(frame, &QWidget::close,
                                                        Qt::QueuedConnection);
                          });
}

}  // namespace orvane
