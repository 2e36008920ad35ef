#pragma once
// An editor with hand-filled module tables for the window tests: its
// requests go to 127.0.0.1:9, which nobody answers, and it is not shown,
// so no scan starts.
#include <QColor>
#include <QString>

#include "loopback_config.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/shell/main_frame.h"
#include "orvane/shell/orvane_app.h"
#include "orvane/shell/orvane_view.h"
#include "platform/gbk.h"
#include "test_support/temp_dir.h"

namespace orvane::shell_tests {

inline ModuleRecord moduleRecord(int n, std::uint8_t runMode, std::uint16_t flags = 0) {
  ModuleRecord r;
  r.mac = {0x00, 0x1A, 0x2B, 0x3C, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)};
  r.currentIp = {10, 0, 0, static_cast<std::uint8_t>(n)};
  r.runMode = runMode;
  r.statusFlags = flags;
  r.moduleId = static_cast<std::uint32_t>(n);
  setTextField(r.name, platform::utf8ToGbk("站" + std::to_string(n)));
  r.versions.firmwareVersion = {3, 0, 1, 4};
  return r;
}

inline QColor background(COrvaneView& view, int row) { return view.item(row, 0)->background().color(); }

inline QString cell(COrvaneView& view, int row, int column) { return view.item(row, column)->text(); }

struct Editor {
  test_support::TempDir dir;
  ProcessFlags flags;
  COrvaneApp app{loopbackConfig(dir.path()), flags};
  Editor() { app.core().loadSettings(); }
  COrvaneView& view() { return app.mainFrame().view(); }
  void fill(const std::vector<ModuleRecord>& records) {
    app.core().table().resetAll();
    for (const auto& r : records) app.core().table().append(r);
  }
};

}  // namespace orvane::shell_tests
