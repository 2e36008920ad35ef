#pragma once
// The editor on trax-sim's demo scenario on a free loopback port, with the
// simulator's wire log: shown, after its first scan and the refresh of row 0
// (00.11.22.33.44.55). The firmware image beside Lumen_.ini is 4.1.0.0.
#include <QTest>
#include <memory>

#include "loopback_config.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/tests/image_file.h"
#include "orvane/shell/main_frame.h"
#include "orvane/shell/orvane_app.h"
#include "orvane/shell/orvane_view.h"
#include "test_support/temp_dir.h"
#include "test_support/trax_sim_wire_log.h"

namespace orvane::shell_tests {

inline const std::vector<std::string> kDemoScenario{
    "--scenario", TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/demo.json"};

struct DemoEditor {
  bool start() {
    testing::writeFile(dir.path() / "fw.bin", testing::firmwareImage({0, 0, 1, 4}));  // 4.1.0.0
    if (!sim.ready()) return false;
    auto config = loopbackConfig(dir.path(), sim.endpoint().port);
    config.writeText("FirmwareFileName", "fw.bin");
    app = std::make_unique<COrvaneApp>(config, flags);
    app->show();
    return QTest::qWaitFor([&] { return view().rowCount() == 5 && idleAfter(kOperationRefresh); }, 10000);
  }
  bool idleAfter(int operation) {
    return app->core().worker().finished() && app->core().worker().code() == operation;
  }
  COrvaneView& view() { return app->mainFrame().view(); }

  test_support::TempDir dir;
  test_support::TraxSimWireLog sim{kDemoScenario};
  ProcessFlags flags;
  std::unique_ptr<COrvaneApp> app;
};

}  // namespace orvane::shell_tests
