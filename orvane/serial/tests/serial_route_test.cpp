// The flows of the serial route against plc-sim: the scan with its port
// selection and detail read, the refresh, the factory restore and the basic
// settings command, with the communication-busy flag and the link lock.
#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <stdexcept>

#include "orvane/protocol/closing_sequence.h"
#include "orvane/protocol/row_format.h"
#include "orvane/serial/serial_texts.h"
#include "orvane/serial/tests/serial_fixture.h"
#include "orvane/serial/text_fill.h"

namespace orvane::testing {
namespace {

// 21 characters, then the version.
const char* const kModuleAt01 =
    R"({"group": 0, "slot": 1, "mac": "00:1A:2B:3C:4D:01", "text": "TRAX ETHERNET MODULE 1.05",
        "ip": "192.168.1.5", "mask": "255.255.255.0", "gateway": "192.168.1.1", "station": 12})";
const char* const kModuleAt02 =
    R"({"group": 0, "slot": 2, "mac": "00:1A:2B:3C:4D:02", "text": "TRAX ETHERNET MODULE 2.10",
        "ip": "10.0.0.2", "mask": "255.0.0.0", "gateway": "10.0.0.1", "station": 2})";
const char* const kModuleAt03 = R"({"group": 0, "slot": 3, "mac": "00:1A:2B:3C:4D:03", "text": "X"})";

// CloseCom fails only at the end of a parameter read (16 words of a word area).
int closeFailsAfterParameterRead(int handle) {
  const auto calls = Shim::current()->calls();
  if (calls.empty() || calls.back().rfind("Order40 ", 0) != 0 || !calls.back().ends_with(" 16"))
    return shim_exports::closeComCounted(handle);
  return shim_exports::closeComFails(handle);
}

bool contains(const std::vector<std::string>& events, const std::string& event) {
  return std::find(events.begin(), events.end(), event) != events.end();
}

TEST_F(SerialTest, ScanListsTheModulesWithVersionAndParameters) {
  startPlc(plcWith(std::string(kModuleAt01) + "," + kModuleAt02));
  core.runOperation(kOperationScan, 0);
  EXPECT_EQ(route.lastScan().outcome, SerialOutcome::Done);
  const auto records = core.table().snapshot();
  ASSERT_EQ(records.size(), 2u);
  const auto row = formatModuleRow(records[0], kProtocolSerial);
  EXPECT_EQ(row.columns[kColumnVersion], "V1.05");
  EXPECT_EQ(row.columns[kColumnMac], "00.1A.2B.3C.4D.01");
  EXPECT_EQ(row.columns[kColumnIp], "192.168.01.05");
  EXPECT_EQ(row.columns[kColumnId], "12");
  EXPECT_EQ(row.columns[kColumnName], "TRAX ETHERNET MODULE");  // the first 20 bytes
  EXPECT_EQ(row.columns[kColumnStatus], "----正常----");
  EXPECT_EQ(formatModuleRow(records[1], kProtocolSerial).columns[kColumnVersion], "V2.10");
  EXPECT_EQ(ui.count("refreshList -1"), 1);
  ASSERT_EQ(ui.shownVersions().size(), 1u);
  EXPECT_EQ(ui.shownVersions()[0].firmwareVersion, (std::array<std::uint8_t, 4>{5, 1, 0, 0}));
  EXPECT_TRUE(prompt.boxes.empty());
  // Every link of the scan was opened under the communication-busy flag.
  for (const auto& open : callsNamed("OpenCom")) EXPECT_EQ(open, "OpenCom 11 busy");
  EXPECT_FALSE(flags.communicationBusy);
  EXPECT_EQ(ui.shownTexts().back(), "就绪");
}

TEST_F(SerialTest, ModuleWithoutWordAreaStopsTheDetailReadButTheListIsRefreshed) {
  startPlc(plcWith(std::string(kModuleAt01) + "," + kModuleAt03 +
                   R"(, {"group": 1, "slot": 0, "mac": "00:1A:2B:3C:4D:08", "text": "Y"})"));
  route.scan();
  ASSERT_EQ(prompt.boxes.size(), 1u);
  EXPECT_EQ(prompt.boxes[0].text, "获得模块列表信息错误!");
  EXPECT_EQ(prompt.boxes[0].caption, "错误");
  EXPECT_EQ(prompt.boxes[0].icon, MessageIcon::Error);
  EXPECT_EQ(ui.count("refreshList -1"), 1);
  const auto records = core.table().snapshot();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].moduleId, 12u);  // read before the failure
  EXPECT_EQ(nameUtf8(records[1]), "X");  // its information text came first
  EXPECT_EQ(nameUtf8(records[2]), "");   // never reached
  EXPECT_EQ(callsNamed("Order51").back(), "Order51 1088 86");
}

TEST_F(SerialTest, SilentPlcOffersThePortSelectionUntilCancelled) {
  startPlc(plcWith(kModuleAt01), {"--no-enquiry-answer"});
  clock.fastForward();
  route.scan();
  EXPECT_EQ(prompt.portDialogs, std::vector<int>{kPlcPort});
  EXPECT_EQ(route.lastScan().outcome, SerialOutcome::Cancelled);
  EXPECT_EQ(route.lastScan().failureText, "读取PLC型号时出错！(1)\n请检查通信设备！");
  EXPECT_TRUE(contains(ui.shownTexts(), "读取PLC型号时出错！(1)\n请检查通信设备！"));
  EXPECT_EQ(ui.shownTexts().back(), "就绪");  // the cancelled selection
  EXPECT_EQ(ui.count("refreshList -1"), 0);
  EXPECT_FALSE(flags.communicationBusy);
}

TEST_F(SerialTest, ChosenPortIsTriedAgainAndKept) {
  startPlc(plcWith(kModuleAt01));
  usePort(kNoDevicePort);
  prompt.ports = {kPlcPort};
  route.scan();
  EXPECT_EQ(prompt.portDialogs, std::vector<int>{kNoDevicePort});
  EXPECT_EQ(route.lastScan().outcome, SerialOutcome::Done);
  EXPECT_EQ(core.table().count(), 1);
  EXPECT_EQ(core.portCom(), kPlcPort);
  EXPECT_EQ(config.readInt("PortCom"), kPlcPort);
  EXPECT_TRUE(contains(ui.events(), "portButton COM11 enabled"));
  const auto events = ui.events();
  EXPECT_LT(std::find(events.begin(), events.end(), "busy off"), std::find(events.begin(), events.end(), "busy on"));
}

TEST_F(SerialTest, ClosingStopsOfferingThePortSelection) {
  usePort(kNoDevicePort);
  flags.closing = true;
  route.scan();
  EXPECT_TRUE(prompt.portDialogs.empty());
  EXPECT_EQ(route.lastScan().outcome, SerialOutcome::Closing);
  EXPECT_FALSE(flags.communicationBusy);
}

TEST_F(SerialTest, RefreshShowsTheVersionOfTheSelectedModule) {
  startPlc(plcWith(std::string(kModuleAt01) + "," + kModuleAt02));
  scan();
  const auto before = *core.table().record(1);
  ASSERT_TRUE(core.selectRow(1));
  core.worker().end(BackgroundOperation::kNoLimit);
  ASSERT_EQ(ui.shownVersions().size(), 2u);
  EXPECT_EQ(ui.shownVersions()[1].firmwareVersion, (std::array<std::uint8_t, 4>{10, 2, 0, 0}));
  EXPECT_EQ(core.table().record(1)->versions, before.versions);
}

TEST_F(SerialTest, ConfirmedFactoryRestoreWritesTheFactoryAddresses) {
  startPlc(plcWith(std::string(kModuleAt01) + "," + kModuleAt02));
  scan();
  core.worker().start(kOperationFactoryRestore, 1);
  core.worker().end(BackgroundOperation::kNoLimit);
  ASSERT_EQ(prompt.boxes.size(), 1u);
  EXPECT_EQ(prompt.boxes[0].text, "恢复出厂值将丢失当前设定值，恢复出厂值吗？");
  EXPECT_EQ(prompt.boxes[0].caption, "警告");
  EXPECT_EQ(prompt.boxes[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(route.lastRestore().outcome, SerialOutcome::Done);
  // The word area of position 2 as the PLC now holds it.
  PlcLink link(orders, kPlcPort);
  OrderReply reply;
  ASSERT_EQ(orders.order40(link.handle(), 16096, 16, reply), kOrderGood);
  std::vector<std::uint16_t> words;
  for (int i = 0; i < 16; ++i) words.push_back(static_cast<std::uint16_t>(reply[6 + 2 * i] | reply[7 + 2 * i] << 8));
  EXPECT_EQ(words, (std::vector<std::uint16_t>{0, 0x1, 0x1, 0x168, 0x192, 0x0, 0x255, 0x255, 0x255,
                                               0x9, 0x1, 0x168, 0x192, 0x1, 0xA0, 0}));
  link.close();
  const auto r = *core.table().record(1);
  EXPECT_EQ(r.ipAddress, (Ipv4Bytes{192, 168, 1, 1}));
  EXPECT_EQ(r.currentIp, (Ipv4Bytes{192, 168, 1, 1}));
  EXPECT_EQ(r.subnetMask, (Ipv4Bytes{255, 255, 255, 0}));
  EXPECT_EQ(r.currentMask, (Ipv4Bytes{255, 255, 255, 0}));
  EXPECT_EQ(r.gateway, (Ipv4Bytes{192, 168, 1, 9}));
  EXPECT_EQ(r.currentGateway, (Ipv4Bytes{192, 168, 1, 9}));
  EXPECT_EQ(r.moduleId, 1u);
  EXPECT_TRUE(contains(ui.events(), "refreshList 1"));
}

TEST_F(SerialTest, CancelledFactoryRestoreSendsNothing) {
  startPlc(plcWith(kModuleAt01));
  scan();
  const auto opens = callsNamed("OpenCom").size();
  prompt.answers = {MessageAnswer::Cancel};
  route.restoreFactory(0);
  EXPECT_EQ(route.lastRestore().outcome, SerialOutcome::Cancelled);
  EXPECT_EQ(callsNamed("OpenCom").size(), opens);
  EXPECT_EQ(core.table().record(0)->currentIp, (Ipv4Bytes{192, 168, 1, 5}));
}

TEST_F(SerialTest, FactoryRestoreAnsweredWithAStatusCodeShowsItInTheList) {
  startPlc(plcWith(R"({"group": 0, "slot": 0, "mac": "00:00:00:00:00:07", "answer": 3, "station": 4})"));
  scan();
  route.restoreFactory(0);  // OK to the question, then the port selection cancelled
  EXPECT_EQ(route.lastRestore().outcome, SerialOutcome::Failed);
  EXPECT_EQ(route.lastRestore().failureText, "写模块参数到PLC成功！\n但IP冲突(致命)3");
  ASSERT_EQ(prompt.boxes.size(), 2u);
  EXPECT_EQ(prompt.boxes[1].text, "恢复出厂值失败！");
  EXPECT_EQ(prompt.boxes[1].caption, "错误");
  EXPECT_EQ(prompt.portDialogs, std::vector<int>{kPlcPort});
  const auto r = *core.table().record(0);
  EXPECT_EQ(formatModuleRow(r, kProtocolSerial).columns[kColumnStatus], "IP冲突(致命)3");
  EXPECT_EQ(r.moduleId, 4u);  // the factory values were not taken
  EXPECT_TRUE(contains(ui.events(), "refreshList 0"));
  EXPECT_FALSE(flags.communicationBusy);
}

TEST_F(SerialTest, BasicSettingsWriteTheEditedCopyAndReadItBack) {
  startPlc(plcWith(std::string(kModuleAt01) + "," + kModuleAt02));
  scan();
  bool busyInDialog = false;
  const auto result = route.basicSettings(1, [&](ModuleRecord& copy, int protocolType) {
    busyInDialog = flags.communicationBusy;
    EXPECT_EQ(protocolType, kProtocolSerial);
    EXPECT_EQ(copy.moduleId, 2u);
    copy.currentIp = {10, 1, 2, 3};
    copy.moduleId = 77;
    return true;
  });
  EXPECT_EQ(result.outcome, SerialOutcome::Done);
  EXPECT_TRUE(busyInDialog);
  EXPECT_FALSE(flags.communicationBusy);
  const auto r = *core.table().record(1);
  EXPECT_EQ(r.currentIp, (Ipv4Bytes{10, 1, 2, 3}));
  EXPECT_EQ(r.moduleId, 77u);
  EXPECT_EQ(formatModuleRow(r, kProtocolSerial).columns[kColumnVersion], "V2.10");
  EXPECT_TRUE(contains(ui.events(), "refreshList 1"));
  EXPECT_EQ(ui.shownTexts().back(), "就绪");
  EXPECT_TRUE(prompt.boxes.empty());
}

TEST_F(SerialTest, BasicSettingsCancelledOrWithoutRowSendNothing) {
  startPlc(plcWith(kModuleAt01));
  scan();
  const auto opens = callsNamed("OpenCom").size();
  EXPECT_EQ(route.basicSettings(0, [](ModuleRecord&, int) { return false; }).outcome,
            SerialOutcome::Cancelled);
  EXPECT_EQ(route.basicSettings(-1, [](ModuleRecord&, int) { return true; }).outcome,
            SerialOutcome::NotRun);
  EXPECT_EQ(callsNamed("OpenCom").size(), opens);
  EXPECT_FALSE(flags.communicationBusy);
}

TEST_F(SerialTest, AFailedCloseOfTheParameterReadShowsItsOwnTextOnly) {
  startPlc(plcWith(kModuleAt01));
  shim.replace("CloseCom", reinterpret_cast<void*>(&closeFailsAfterParameterRead));
  const auto closeText = fillIn(serial_texts::kParamsCloseFailed, kPlcPort);
  scan();  // its detail read
  ASSERT_EQ(prompt.boxes.size(), 1u);
  EXPECT_EQ(prompt.boxes[0].text, closeText);
  const auto result = route.basicSettings(0, [](ModuleRecord&, int) { return true; });
  EXPECT_EQ(result.outcome, SerialOutcome::Failed);
  ASSERT_EQ(prompt.boxes.size(), 2u);
  EXPECT_EQ(prompt.boxes[1].text, closeText);
}

// The close asked for from inside the basic settings dialog runs on the
// thread that holds the flag: it is put off until the command ends, never
// waited for (that wait could not end).
TEST_F(SerialTest, CloseFromInsideTheBasicSettingsDialogRunsWhenTheCommandEnds) {
  startPlc(plcWith(kModuleAt01));
  scan();
  ClosingSequence closing(prompt, flags);
  std::vector<bool> busyAtClose;
  const auto result = route.basicSettings(0, [&](ModuleRecord&, int) {
    EXPECT_TRUE(closing.confirmClose());
    const auto waitForItself = [] { throw std::logic_error("the close waits for its own command"); };
    EXPECT_FALSE(closing.waitIdle(waitForItself, [&] { busyAtClose.push_back(flags.communicationBusy); }));
    return true;
  });
  EXPECT_EQ(result.outcome, SerialOutcome::Done);
  EXPECT_EQ(busyAtClose, std::vector<bool>{false});
  ASSERT_EQ(prompt.boxes.size(), 1u);  // the question, answered OK
  EXPECT_EQ(prompt.boxes[0].caption, "警告");
}

TEST_F(SerialTest, UserInterfaceFlowAndWorkerNeverShareTheLink) {
  startPlc(plcWith(std::string(kModuleAt01) + "," + kModuleAt02));
  scan();
  ASSERT_TRUE(core.findModules());  // a scan on the worker ...
  const auto result = route.basicSettings(0, [](ModuleRecord&, int) { return true; });  // ... and this
  core.worker().end(BackgroundOperation::kNoLimit);
  EXPECT_EQ(shim.mostOpenLinks, 1);
  EXPECT_EQ(shim.openLinks, 0);
  (void)result;
}

}  // namespace
}  // namespace orvane::testing
