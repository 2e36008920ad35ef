// The upgrade on the worker: image check and confirmation, entering the boot
// loader, erase, download, verification, restart, the wait for the module
// and the fresh scan. Every failure reports 100 before its box, so the
// progress dialog has closed when the box appears.
#include "orvane/firmware/boot_loader_poll.h"
#include "orvane/firmware/download_blocks.h"
#include "orvane/firmware/firmware_upgrade.h"
#include "orvane/firmware/upgrade_confirmation.h"
#include "orvane/firmware/upgrade_texts.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

bool FirmwareUpgrade::fail(std::string text) {
  progress_.report(kProgressDone);
  view_.prompt().messageBox(text, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
  setOutcome(UpgradeResult::Failed, std::move(text));
  return false;
}

bool FirmwareUpgrade::poll(const std::function<bool(int timeoutMs)>& attempt) {
  const StatusDisplayPause pause(view_.status());
  const int timeoutMs = static_cast<int>(timing_.pollPeriod.count());
  return pollModule([&] { return attempt(timeoutMs); }, clock_, timing_.pollPeriod);
}

void FirmwareUpgrade::run(int index) {
  std::filesystem::path path;
  std::optional<MacAddress> startedFor;
  {
    std::lock_guard lock(mutex_);
    path = firmwarePath_;
    startedFor = startedFor_;
  }
  const auto module = view_.table().record(index);
  // An index above 255, or a table that no longer holds the module the start
  // checked: nothing is sent to anyone.
  if (!module || !startedFor || module->mac != *startedFor) {
    progress_.report(kProgressDone);
    setOutcome(UpgradeResult::None, {});
    return;
  }
  const auto image = loadFirmwareImage(path);
  if (!image) {
    fail(path.string() + std::string(texts::kNotAFirmwareFile));
    return;
  }
  const auto kind = image->info.kind;
  const auto question =
      upgradeConfirmationText(kind, module->runMode, module->versions, image->info.version);
  if (view_.prompt().messageBox(question, texts::kCaptionUpgrade, MessageIcon::Information,
                                MessageButtons::OkCancel) != MessageAnswer::Ok) {
    progress_.report(kProgressDone);
    setOutcome(UpgradeResult::Cancelled, {});
    return;
  }
  if (!enterBootLoader(*module, kind) || !download(*module, *image) ||
      !restartAndWait(*module, kind))
    return;
  view_.scanNetwork();
  progress_.report(kProgressDone);
  view_.prompt().messageBox(texts::kUpgradeSucceeded, texts::kCaptionSuccess,
                            MessageIcon::Information, MessageButtons::Ok);
  setOutcome(UpgradeResult::Succeeded, std::string(texts::kUpgradeSucceeded));
}

bool FirmwareUpgrade::enterBootLoader(const ModuleRecord& module, FirmwareKind kind) {
  progress_.report(1);
  // A module already in its boot loader (or of unknown mode) is not asked.
  if (module.runMode == kRunModeSystemProgram && !requests_.enterBootLoader(moduleAddress(module)))
    return fail(std::string(texts::kEnterBootLoaderFailed));
  progress_.report(2);
  if (!poll([&](int timeoutMs) { return requests_.readBootInfo(moduleAddress(module), timeoutMs); }))
    return fail(std::string(texts::kNoBootVersion));
  progress_.report(3);
  if (!requests_.eraseFirmware(moduleAddress(module), kind)) return fail(std::string(texts::kEraseFailed));
  return true;
}

bool FirmwareUpgrade::download(const ModuleRecord& module, const FirmwareImage& image) {
  progress_.report(kProgressDownloadStart);
  const auto plan = planDownload(image.payload());
  // A checked image holds at least 37 bytes to send; the bytes are already in
  // memory, so the file is not opened again here.
  if (plan.blocks.empty()) return fail(std::string(texts::kReadFileFailed));
  const auto kind = image.info.kind;
  for (const auto& block : plan.blocks) {
    if (!requests_.writeFirmwareBlock(moduleAddress(module), kind, block.number, block.offset, block.bytes))
      return fail(std::string(texts::kDownloadFailed));
    progress_.report(block.progressAfter);
  }
  progress_.report(96);
  if (!requests_.verifyFirmware(moduleAddress(module), kind, plan.total, plan.runningXor))
    return fail(std::string(texts::kVerifyFailed));
  return true;
}

bool FirmwareUpgrade::restartAndWait(const ModuleRecord& module, FirmwareKind kind) {
  progress_.report(98);
  if (!requests_.restartModule(moduleAddress(module), kind)) return fail(std::string(texts::kRestartFailed));
  if (kind == FirmwareKind::BootLoader) {
    if (!poll([&](int timeoutMs) { return requests_.readBootInfo(moduleAddress(module), timeoutMs); }))
      return fail(std::string(texts::kNoBootVersion));
  } else if (!poll([&](int timeoutMs) { return requests_.readSystemInfo(moduleAddress(module), timeoutMs); })) {
    return fail(std::string(texts::kNoSystemVersion));
  }
  return true;
}

}  // namespace orvane
