// The upgrade command on the user-interface thread: which module, the checks
// that refuse it, the question and the choice of the image file.
#include "orvane/firmware/firmware_upgrade.h"
#include "orvane/firmware/upgrade_texts.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

FirmwareUpgrade::FirmwareUpgrade(OrvaneViewCore& view, UpgradeTiming timing, UpgradeClock& clock)
    : view_(view),
      timing_(timing),
      clock_(clock),
      requests_(view.link(), timing.requests),
      progress_(view.ui()) {
  view_.setOperationHandler(kOperationFirmwareDownload, kProtocolTcpIp,
                            [this](int index) { run(index); });
}

FirmwareUpgrade::~FirmwareUpgrade() {
  view_.endWorker(BackgroundOperation::kNoLimit);
  view_.setOperationHandler(kOperationFirmwareDownload, kProtocolTcpIp, {});
}

std::filesystem::path FirmwareUpgrade::firmwarePath() const {
  std::lock_guard lock(mutex_);
  return firmwarePath_;
}

UpgradeOutcome FirmwareUpgrade::outcome() const {
  std::lock_guard lock(mutex_);
  return outcome_;
}

void FirmwareUpgrade::setOutcome(UpgradeResult result, std::string text) {
  std::lock_guard lock(mutex_);
  outcome_ = {result, std::move(text)};
}

void FirmwareUpgrade::refuse(UpgradeResult result, std::string_view text,
                             std::string_view caption, MessageIcon icon) {
  view_.prompt().messageBox(text, caption, icon, MessageButtons::Ok);
  setOutcome(result, std::string(text));
}

// The default image is FirmwareFileName in the program directory; with
// EnableSelectFirmware 1 the user may pick another one.
std::optional<std::filesystem::path> FirmwareUpgrade::chooseFirmwarePath() {
  const auto defaultPath = view_.firmwarePath();
  if (view_.config().readInt("EnableSelectFirmware") != 1) return defaultPath;
  return view_.prompt().chooseFile(defaultPath, texts::kFirmwareFilter);
}

bool FirmwareUpgrade::start(int row, const StartOptions& options) {
  if (view_.protocolType() != kProtocolTcpIp) return false;
  view_.worker().end(BackgroundOperation::kNoLimit,
                     options.pump ? options.pump : view_.workerPump());
  if (row < 0) return false;
  // The table lookup gives record 0 for a text it does not find; only a
  // record with the row's own MAC (and interface) is the module the user chose.
  const auto rowText = view_.ui().rowMacText(row);
  const auto address = parseRowKey(rowText);
  const int index = view_.table().findByMacText(rowText);
  const auto module = view_.table().record(index);
  if (!address || !module || module->mac != address->mac) return false;
  if (!address->interfaceName.empty() && module->interfaceName != address->interfaceName) return false;

  if (module->mac == kUnupgradableMac) {
    refuse(UpgradeResult::Refused, texts::kInvalidMac, texts::kCaptionError, MessageIcon::Error);
    return false;
  }
  if (view_.manualResetSet(index)) {
    refuse(UpgradeResult::Refused, texts::kManualReset, texts::kCaptionWarning,
           MessageIcon::Warning);
    return false;
  }
  if (view_.prompt().messageBox(texts::kAskUpgrade, texts::kCaptionWarning, MessageIcon::Warning,
                                MessageButtons::OkCancel) != MessageAnswer::Ok) {
    setOutcome(UpgradeResult::Cancelled, {});
    return false;
  }
  const auto path = options.file ? options.file : chooseFirmwarePath();
  if (!path) {
    setOutcome(UpgradeResult::Cancelled, {});
    return false;
  }
  {
    std::lock_guard lock(mutex_);
    firmwarePath_ = *path;
    startedFor_ = module->mac;
    outcome_ = {};
  }
  progress_.begin();
  if (view_.worker().start(kOperationFirmwareDownload, row)) return true;
  progress_.report(kProgressDone);  // nothing runs: no dialog may wait for it
  return false;
}

}  // namespace orvane
