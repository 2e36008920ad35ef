#pragma once
// A view core with its table scanned from settings fakes, a recording UI,
// scripted boxes and dialogs, and the settings commands over them.
#include <gtest/gtest.h>

#include "image_file.h"
#include "recording_ui.h"
#include "settings_fakes.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/settings_commands.h"
#include "test_support/temp_dir.h"

namespace orvane::testing {

class SettingsCommandsTest : public ::testing::Test {
 protected:
  SettingsCommandsTest() {
    writeFile(dir.path() / "fw.bin", firmwareImage({5, 0, 1, 4}));
    config.writeText("FirmwareFileName", "fw.bin");
    ui.status = &core.status();
    core.loadSettings();
    transport.responder = settingsResponder(fakes);
  }

  // Module n: major version 4 (the file's) unless given, run mode 2.
  static SettingsFake fake(int n, std::uint8_t major = 4, std::uint16_t flags = 0,
                           std::uint8_t runMode = kRunModeSystemProgram) {
    SettingsFake f;
    f.module.mac = macOf(n);
    f.module.ip = {192, 168, 10, static_cast<std::uint8_t>(n)};
    f.module.flags = flags;
    f.module.runMode = runMode;
    f.module.versions.firmwareVersion[3] = major;
    f.module.versions.bootVersion[3] = major;
    return f;
  }
  // The scan fills the table; the list shows one row per record.
  void scan(std::vector<SettingsFake> modules) {
    fakes = std::move(modules);
    core.runOperation(kOperationScan, 0);
    ui.rows.clear();
    for (const auto& r : core.table().snapshot()) ui.rows.push_back(macText(r.mac));
    sentBefore = transport.sent().size();
  }
  // Codes of the frames sent since the scan.
  std::vector<int> codesSent() const {
    std::vector<int> codes;
    const auto sent = transport.sent();
    for (std::size_t i = sentBefore; i < sent.size(); ++i) codes.push_back(sent[i].frame[3]);
    return codes;
  }
  Bytes lastSent() const { return transport.sent().back().frame; }
  std::vector<std::string> boxTexts() const {
    std::vector<std::string> texts;
    for (const auto& b : prompt.boxes) texts.push_back(b.text);
    return texts;
  }
  std::vector<std::string> eventsSince(std::size_t from) const {
    const auto all = ui.events();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
  }

  test_support::TempDir dir;
  ConfigStore config{dir.path() / "Lumen_.ini"};
  RecordingUi ui;
  ScriptedPrompt prompt;
  ProcessFlags flags;
  FakeTransport transport;
  std::vector<SettingsFake> fakes;
  OrvaneViewCore core{ui, prompt, transport, config, flags};
  ScriptedDialogs dialogs;
  std::vector<std::chrono::milliseconds> waits;
  SettingsCommands commands{core, dialogs,
                            [this](std::chrono::milliseconds ms) { waits.push_back(ms); }};
  std::size_t sentBefore = 0;
};

}  // namespace orvane::testing
