#pragma once
// A view core on the fake transport with the upgrade installed, a module
// table as a scan leaves it and the list rows showing it.
#include <gtest/gtest.h>

#include "orvane/firmware/firmware_upgrade.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "test_support/temp_dir.h"
#include "upgrade_fakes.h"

namespace orvane::testing {

class UpgradeFixture : public ::testing::Test {
 protected:
  UpgradeFixture() {
    writeFile(imagePath(), image);
    config.writeText("FirmwareFileName", "fw.bin");
    ui.status = &core.status();
    core.loadSettings();
  }

  std::filesystem::path imagePath() const { return dir.path() / "fw.bin"; }

  static FakeModule module(int n, std::uint8_t runMode, std::uint16_t flags = 0) {
    FakeModule m;
    m.mac = macOf(n);
    m.runMode = runMode;
    m.flags = flags;
    return m;  // firmware V4.0.0.1, boot V1.3.0.0
  }

  // Scans `modules` into the table; the boot loader answers from then on.
  void table(const std::vector<FakeModule>& modules, const BootFaults& faults = {}) {
    transport.responder = modulesResponder(modules);
    core.runOperation(kOperationScan, 0);
    ui.rows.clear();
    for (const auto& r : core.table().snapshot()) ui.rows.push_back(macText(r.mac));
    scanFrames = transport.sent().size();
    transport.responder = bootLoaderResponder(modules.front(), faults);
  }

  // The command on row `row` and the whole background operation.
  bool upgradeRow(int row, const FirmwareUpgrade::StartOptions& options = {}) {
    const bool started = upgrade.start(row, options);
    core.worker().end(BackgroundOperation::kNoLimit);
    return started;
  }

  // Frames sent since the scan.
  std::vector<Bytes> upgradeFrames() const {
    const auto all = transport.sentFrames();
    return {all.begin() + static_cast<long>(scanFrames), all.end()};
  }
  std::vector<std::uint8_t> upgradeCodes() const {
    std::vector<std::uint8_t> codes;
    for (const auto& f : upgradeFrames()) codes.push_back(f[3]);
    return codes;
  }
  std::vector<int> progressValues() const {
    std::vector<int> values;
    for (const auto& e : ui.events())
      if (e.rfind("progress ", 0) == 0) values.push_back(std::stoi(e.substr(9)));
    return values;
  }

  std::vector<std::uint8_t> image = upgradeImage(1001);
  test_support::TempDir dir;
  ConfigStore config{dir.path() / "Lumen_.ini"};
  RecordingUi ui;
  UpgradePrompt prompt;
  ProcessFlags flags;
  FakeTransport transport;
  OrvaneViewCore core{ui, prompt, transport, config, flags};
  FakeClock clock;
  FirmwareUpgrade upgrade{core, {}, clock};
  std::size_t scanFrames = 0;
};

}  // namespace orvane::testing
