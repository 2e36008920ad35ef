// Reply handling under untrusted input: the field readers on raw bytes, then
// a whole scan and refresh through the view core whose every datagram
// (count, length, content, errors) comes from the fuzzer.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <filesystem>

#include "orvane/protocol/module_replies.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/tests/fake_transport.h"
#include "orvane/protocol/tests/image_file.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "orvane/protocol/version_format.h"

namespace {

using namespace orvane;
using namespace orvane::testing;

std::filesystem::path gConfig;

void removeFuzzDirectory() {
  std::error_code ec;
  std::filesystem::remove_all(gConfig.parent_path(), ec);
}

std::vector<Arrival> arrivalsFrom(FuzzedDataProvider& data, const Bytes& frame) {
  const int most = frame.size() > 3 && frame[3] == 0x01 ? 300 : 4;
  std::vector<Arrival> arrivals(static_cast<std::size_t>(data.ConsumeIntegralInRange(0, most)));
  for (auto& a : arrivals) {
    if (data.ConsumeIntegralInRange(0, 15) == 0) {
      a = Arrival::error();
      continue;
    }
    const auto length = data.ConsumeIntegralInRange<std::size_t>(0, 600);
    a.bytes = data.ConsumeBytes<std::uint8_t>(length);
    if (a.bytes.size() > 3 && data.ConsumeBool()) a.bytes[3] = frame[3];  // a matching code
  }
  return arrivals;
}

void readRaw(std::span<const std::uint8_t> bytes) {
  ModuleRecord record;
  takeDiscoveryReply(bytes, record);
  takeSystemInfoReply(bytes, record.versions);
  takeBootInfoReply(bytes, record.versions);
  takeBasicSettingsReply(bytes, record);
  for (int route : {kProtocolTcpIp, kProtocolSerial}) {
    formatModuleRow(record, route);
    recolourLevel(record, route);
  }
  versionPanelTexts(record.runMode, record.versions);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/orvane-reply-fuzz-XXXXXX";
  const char* dir = ::mkdtemp(pattern);
  if (!dir) std::abort();
  gConfig = std::filesystem::path(dir) / "Lumen_.ini";
  std::atexit(removeFuzzDirectory);
  writeFile(gConfig.parent_path() / "fw.bin", firmwareImage({0, 0, 0, 4}));
  ConfigStore(gConfig).writeText("FirmwareFileName", "fw.bin");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  readRaw({bytes, size});
  FuzzedDataProvider data(bytes, size);
  RecordingUi ui;
  ScriptedPrompt prompt;
  ProcessFlags flags;
  FakeTransport transport;
  transport.responder = [&data](const Bytes& frame) { return arrivalsFrom(data, frame); };
  OrvaneViewCore core(ui, prompt, transport, ConfigStore(gConfig), flags);
  ui.status = &core.status();
  core.loadSettings();
  core.runOperation(kOperationScan, 0);
  for (const auto& record : core.table().snapshot()) {
    ui.rows.push_back(macText(record.mac));
    formatModuleRow(record, kProtocolTcpIp);
  }
  const int row = data.ConsumeIntegralInRange(-1, 300);
  core.runOperation(kOperationRefresh, row);
  return 0;
}
