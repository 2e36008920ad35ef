#pragma once
// The editor's view core on the serial route, bound to the built Wirelet
// (through a Shim), against plc-sim on a pseudo-terminal as COM11. Tethra's
// clock is a test clock: the real waits run at half their length, and a test
// that makes the PLC silent fast-forwards through the enquiries.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/tests/fake_transport.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "orvane/serial/serial_route.h"
#include "orvane/serial/tests/plc_sim_line.h"
#include "orvane/serial/tests/shim_exports.h"
#include "test_support/temp_dir.h"
#include "wirelet/tests/test_clock.h"

namespace orvane::testing {

inline constexpr int kPlcPort = 11;
inline constexpr int kNoDevicePort = 200;  // COM200 names no device

// A PLC scenario: a supported PLC with the given modules (JSON objects).
inline std::string plcWith(const std::string& modules, const std::string& family = "z",
                           const std::string& text = "VT-PLC I/O Base") {
  return R"({"plc": {"family": ")" + family + R"(", "text": ")" + text + R"(", "modules": [)" +
         modules + "]}}";
}

class SerialTest : public ::testing::Test {
 protected:
  SerialTest() {
    EXPECT_TRUE(library.load(WIRELET_LIBRARY)) << library.loaderText();
    config.writeInt("ProtocolType", kProtocolSerial);
    config.writeInt("PortCom", kPlcPort);
    ui.status = &core.status();
    core.loadSettings();
    route.install();
    recordEverything(shim);
    shim.busyFlag = &flags.communicationBusy;
  }
  ~SerialTest() override { core.worker().end(BackgroundOperation::kNoLimit); }

  void startPlc(const std::string& scenario, std::vector<std::string> faults = {}) {
    plc.reset();  // the old one takes its TRAX_COM variable with it
    plc = std::make_unique<PlcSimLine>(kPlcPort, scenario, std::move(faults));
    ASSERT_TRUE(plc->ready());
  }
  void usePort(int port) {
    config.writeInt("PortCom", port);
    core.loadSettings();
  }
  // The module list as the serial scan leaves it, with list rows for it.
  void scan() {
    route.scan();
    ui.rows.clear();
    for (const auto& r : core.table().snapshot()) ui.rows.push_back(macText(r.mac));
  }
  std::vector<std::string> callsNamed(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& c : shim.calls())
      if (c.rfind(prefix, 0) == 0) found.push_back(c);
    return found;
  }

  test_support::TempDir dir;
  ConfigStore config{dir.path() / "Lumen_.ini"};
  RecordingUi ui;
  ScriptedPrompt prompt;
  ProcessFlags flags;
  FakeTransport transport;
  OrvaneViewCore core{ui, prompt, transport, config, flags};
  WireletLibrary library;
  Shim shim{library};
  SerialOrders orders{shim};
  SerialRoute route{core, orders};
  SerialOperations& operations = route.operations();
  wirelet_test::TestClock clock;
  std::unique_ptr<PlcSimLine> plc;
};

}  // namespace orvane::testing
