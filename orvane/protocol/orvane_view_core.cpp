#include "orvane_view_core.h"

#include "orvane/protocol/compatibility.h"
#include "orvane/protocol/destination.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

OrvaneViewCore::OrvaneViewCore(UiPort& ui, Prompt& prompt, DatagramTransport& transport,
                               ConfigStore config, ProcessFlags& flags)
    : ui_(ui),
      prompt_(prompt),
      config_(std::move(config)),
      flags_(flags),
      status_(ui, flags),
      link_(transport, status_, defaultDestination()),
      worker_([this](int code, int row) { runOperation(code, row); }) {
  setOperationHandler(kOperationScan, kProtocolTcpIp, [this](int) { scanNetwork(); });
  setOperationHandler(kOperationRefresh, kProtocolTcpIp, [this](int index) { refreshNetwork(index); });
}

OrvaneViewCore::~OrvaneViewCore() { endWorker(BackgroundOperation::kNoLimit); }

void OrvaneViewCore::loadSettings() {
  protocolType_ = config_.readInt("ProtocolType");
  portCom_ = config_.readInt("PortCom");
  {
    std::lock_guard lock(mutex_);
    firmwareFileName_ = config_.readText("FirmwareFileName");
  }
  link_.setDestination(destinationFromConfig(config_));
  link_.setInterfaceFilter(interfaceFilterFromConfig(config_));
}

void OrvaneViewCore::setOperationHandler(int code, int protocolType, OperationHandler handler) {
  handlers_[{code, protocolType == kProtocolSerial ? kProtocolSerial : kProtocolTcpIp}] =
      std::move(handler);
}

bool OrvaneViewCore::startInitialScan() { return worker_.start(kOperationScan, 0); }

bool OrvaneViewCore::findModules() {
  if (!endWorker(kSelectionWait)) return false;
  selectedRow_ = 0;
  return worker_.start(kOperationScan, 0);
}

bool OrvaneViewCore::selectRow(int row) {
  selectedRow_ = row;
  if (!endWorker(kSelectionWait)) return false;
  return worker_.start(kOperationRefresh, row);
}

void OrvaneViewCore::setProtocolType(int protocolType) {
  protocolType_ = protocolType;
  config_.writeInt("ProtocolType", protocolType);
}

bool OrvaneViewCore::selectSerialPort() {
  const auto port = prompt_.choosePort(portCom_);
  if (!port) {
    status_.set(texts::kReady);
    return false;
  }
  portCom_ = *port;
  if (ui_.hasPortButton()) {
    config_.writeInt("PortCom", *port);
    ui_.portButton("COM" + std::to_string(*port), true);
  }
  return true;
}

std::filesystem::path OrvaneViewCore::firmwarePath() const {
  std::lock_guard lock(mutex_);
  // The name is joined to the directory as text, as a name relative to it:
  // an absolute name does not replace the directory.
  return std::filesystem::path(config_.directory().string() + "/" + firmwareFileName_);
}

int OrvaneViewCore::checkCompatibility(int index) const {
  if (protocolType_ == kProtocolSerial || index < 0 || index >= table_.count()) return 1;
  const auto record = table_.record(index);
  if (!record) return 1;
  {
    std::lock_guard lock(mutex_);
    if (firmwareFileName_.empty()) return 1;  // the directory itself is no image
  }
  return compareWithFirmwareFile(record->versions, firmwarePath());
}

bool OrvaneViewCore::manualResetSet(int index) const {
  if (protocolType_ != kProtocolTcpIp || index < 0 || index >= table_.count()) return false;
  const auto record = table_.record(index);
  return record && (record->statusFlags & kFlagManualReset);
}

std::uint8_t OrvaneViewCore::runModeOfRow(std::string_view macText) const {
  const auto record = table_.record(table_.findByMacText(macText));
  return record ? record->runMode : kRunModeUnknown;
}

DiscoveryResult OrvaneViewCore::lastDiscovery() const {
  std::lock_guard lock(mutex_);
  return lastDiscovery_;
}

}  // namespace orvane
