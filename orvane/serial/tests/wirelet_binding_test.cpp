// Wirelet bound by file name: a missing library, a missing export and a
// close that fails all end as failed operations with their texts.
#include <gtest/gtest.h>

#include <filesystem>

#include "orvane/serial/tests/serial_fixture.h"

namespace orvane::testing {
namespace {

const char* const kTwoModules = R"({"group": 0, "slot": 0, "text": "ONE", "station": 1},
                                   {"group": 0, "slot": 1, "text": "TWO", "station": 2})";

TEST(WireletLibrary, AbsentLibraryNamesTheFileAndTheSystemError) {
  test_support::TempDir empty;
  WireletLibrary library;
  EXPECT_FALSE(library.load(empty.path() / WireletLibrary::fileName()));
  EXPECT_FALSE(library.loaded());
  EXPECT_EQ(WireletLibrary::fileName(), "libWirelet.so");
  EXPECT_EQ(library.notFoundText(), "没有找到libWirelet.so\nError Code: 2");  // ENOENT
  EXPECT_EQ(library.find("OpenCom"), nullptr);
}

TEST(WireletLibrary, LoadsByPathAndFindsEachExport) {
  WireletLibrary library;
  ASSERT_TRUE(library.load(WIRELET_LIBRARY)) << library.loaderText();
  for (const char* name : {"OpenCom", "CloseCom", "Order40", "Order46", "Order50", "Order51", "Order61_12"})
    EXPECT_NE(library.find(name), nullptr) << name;
  EXPECT_EQ(library.find("RunOrder"), nullptr);  // internal, not exported
  library.release();
  EXPECT_EQ(library.find("OpenCom"), nullptr);
}

TEST(WireletLibrary, WithoutTheLibraryEveryOperationRefusesWithItsOpenText) {
  test_support::TempDir dir;
  ConfigStore config(dir.path() / "Lumen_.ini");
  config.writeInt("PortCom", 4);
  RecordingUi ui;
  ScriptedPrompt prompt;
  ProcessFlags flags;
  FakeTransport transport;
  OrvaneViewCore core(ui, prompt, transport, config, flags);
  core.loadSettings();
  WireletLibrary absent;
  absent.load(dir.path() / "libWirelet.so");
  SerialOrders orders(absent);
  SerialRoute route(core, orders);
  auto& op = route.operations();
  std::string text;
  ModuleRecord working;
  EXPECT_FALSE(op.readPlcModel(text));
  EXPECT_EQ(text, "读取PLC型号时出错！\n无法打开端口:COM4");
  EXPECT_FALSE(op.readModuleList(text));
  EXPECT_EQ(text, "读取模块列表时出错！\n无法打开端口:COM4");
  EXPECT_FALSE(op.readModuleInfo(0, text));
  EXPECT_EQ(text, "读取模块版本时出错！\n无法打开端口:COM4");
  EXPECT_FALSE(op.readModuleParameters(0, text));
  EXPECT_EQ(text, "从PLC读模块参数时出错！\n无法打开端口:COM4");
  EXPECT_FALSE(op.writeModuleParameters(working, text));
  EXPECT_EQ(text, "写模块参数到PLC时出错！\n无法打开端口:COM4");
  // The scan ends at the model check, the port selection cancelled.
  route.scan();
  EXPECT_EQ(route.lastScan().outcome, SerialOutcome::Cancelled);
  EXPECT_EQ(prompt.portDialogs, std::vector<int>{4});
  EXPECT_FALSE(flags.communicationBusy);
}

TEST_F(SerialTest, AFailedCloseAppendsItsTextAndFailsTheOperation) {
  startPlc(plcWith(kTwoModules));
  std::string text;
  ASSERT_TRUE(operations.readModuleList(text));
  shim.replace("CloseCom", reinterpret_cast<void*>(&shim_exports::closeComFails));
  auto working = *core.table().record(0);
  struct Row {
    const char* name;
    std::function<bool(std::string&)> run;
    std::string text;  // the operation's own text, then the close text
  };
  const Row rows[] = {
      {"model", [&](std::string& t) { return operations.readPlcModel(t); },
       "\n读取PLC型号时出错！\n无法关闭端口:COM11"},
      {"list", [&](std::string& t) { return operations.readModuleList(t); },
       "\n读取模块列表时出错！\n无法关闭端口:COM11"},
      {"info", [&](std::string& t) { return operations.readModuleInfo(1, t); },
       "TWO\n读取模块版本时出错！\n无法关闭端口:COM11"},
      {"parameters", [&](std::string& t) { return operations.readModuleParameters(1, t); },
       "\n写模块参数到PLC时出错！\n无法关闭端口:COM11"},
      {"write", [&](std::string& t) { return operations.writeModuleParameters(working, t); },
       "\n写模块参数到PLC时出错！\n无法关闭端口:COM11"},
  };
  for (const Row& row : rows) {
    std::string t;
    EXPECT_FALSE(row.run(t)) << row.name;
    EXPECT_EQ(t, row.text) << row.name;
  }
  EXPECT_EQ(core.table().record(1)->moduleId, 2u);  // the read itself went through
}

TEST_F(SerialTest, AMissingExportIsAFailedCall) {
  startPlc(plcWith(kTwoModules));
  struct Row {
    const char* name;
    std::function<bool(std::string&)> run;
    std::string text;
  };
  const Row rows[] = {
      {"OpenCom", [&](std::string& t) { return operations.readPlcModel(t); },
       "读取PLC型号时出错！\n无法打开端口:COM11"},
      {"Order50", [&](std::string& t) { return operations.readPlcModel(t); },
       "读取PLC型号时出错！(1)\n请检查通信设备！"},
      {"Order61_12", [&](std::string& t) { return operations.readModuleList(t); },
       "读取模块列表时出错！\n无法获得MAC地址"},
      {"Order40", [&](std::string& t) { return operations.readModuleParameters(0, t); },
       "从PLC读模块参数时出错！"},
      {"Order46", [&](std::string& t) {
         auto w = *core.table().record(0);
         return operations.writeModuleParameters(w, t);
       }, "写模块参数到PLC时出错！"},
  };
  for (const Row& row : rows) {
    recordEverything(shim);
    std::string t;
    ASSERT_TRUE(operations.readModuleList(t)) << row.name;
    shim.replace(row.name, nullptr);
    EXPECT_FALSE(row.run(t)) << row.name;
    EXPECT_EQ(t, row.text) << row.name;
  }
  // CloseCom missing: every operation fails at its close.
  recordEverything(shim);
  shim.replace("CloseCom", nullptr);
  std::string t;
  EXPECT_FALSE(operations.readPlcModel(t));
  EXPECT_EQ(t, "\n读取PLC型号时出错！\n无法关闭端口:COM11");
}

}  // namespace
}  // namespace orvane::testing
