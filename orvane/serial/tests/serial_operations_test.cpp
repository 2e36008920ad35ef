// The five serial operations against plc-sim, through the built Wirelet.
#include <gtest/gtest.h>

#include "orvane/protocol/row_format.h"
#include "orvane/serial/tests/serial_fixture.h"

namespace orvane::testing {
namespace {

const char* const kModuleAt01 =
    R"({"group": 0, "slot": 1, "mac": "00:1A:2B:3C:4D:5E", "text": "TRAX", "ip": "192.168.1.5",
        "mask": "255.255.255.0", "gateway": "192.168.1.1", "station": 12})";

TEST_F(SerialTest, ModelCheckWantsFamilyZAndTheIoBaseText) {
  struct Row {
    const char* name;
    std::string scenario;
    std::vector<std::string> faults;
    int port;
    bool result;
    std::string text;
  };
  const Row rows[] = {
      {"z", plcWith(""), {}, kPlcPort, true, ""},
      {"Z", plcWith("", "Z"), {}, kPlcPort, true, ""},
      {"A", plcWith("", "A"), {}, kPlcPort, false, "本软件仅支持VT系列PLC！\n\tA"},
      {"no I/O Base", plcWith("", "z", "VT-PLC"), {}, kPlcPort, false, "本软件仅支持VT系列PLC！\n\tVT-PLC"},
      {"silent", plcWith(""), {"--no-enquiry-answer"}, kPlcPort, false, "读取PLC型号时出错！(1)\n请检查通信设备！"},
      {"no port", plcWith(""), {}, kNoDevicePort, false, "读取PLC型号时出错！\n无法打开端口:COM200"},
  };
  for (const Row& row : rows) {
    startPlc(row.scenario, row.faults);
    usePort(row.port);
    if (!row.faults.empty()) clock.fastForward();
    std::string text;
    EXPECT_EQ(operations.readPlcModel(text), row.result) << row.name;
    EXPECT_EQ(text, row.text) << row.name;
  }
}

TEST_F(SerialTest, ModuleListTakesEntries0x12AndReadsEachMacTwiceAtTheSlot) {
  startPlc(plcWith(R"({"group": 0, "slot": 1, "mac": "00:00:00:00:00:01"},
                      {"group": 1, "slot": 1, "mac": "00:00:00:00:00:09"})"));
  std::string text;
  ASSERT_TRUE(operations.readModuleList(text)) << text;
  const auto records = core.table().snapshot();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].serialGroup, 0);
  EXPECT_EQ(records[0].serialSlot, 1);
  EXPECT_EQ(records[1].serialGroup, 1);
  EXPECT_EQ(records[1].serialSlot, 1);
  // Both ask the slot only, so both get the MAC of slot 1 in group 0.
  EXPECT_EQ(macText(records[1].mac), "00.00.00.00.00.01");
  EXPECT_EQ(callsNamed("Order61_12"), std::vector<std::string>(4, "Order61_12 190 1 7"));
}

TEST_F(SerialTest, RefusedMacReadEndsTheListWithTheRecordsFound) {
  startPlc(plcWith(R"({"group": 0, "slot": 1, "mac": "00:00:00:00:00:01"},
                      {"group": 0, "slot": 2, "refuseMacRead": true})"));
  std::string text;
  EXPECT_FALSE(operations.readModuleList(text));
  EXPECT_EQ(text, "读取模块列表时出错！\n无法获得MAC地址");
  ASSERT_EQ(core.table().count(), 2);
  EXPECT_EQ(macText(core.table().record(0)->mac), "00.00.00.00.00.01");
  EXPECT_EQ(macText(core.table().record(1)->mac), "00.00.00.00.00.00");
}

TEST_F(SerialTest, PositionChoosesMailboxRequestAndWordArea) {
  startPlc(plcWith(R"({"group": 0, "slot": 2, "text": "AT TWO", "station": 7},
                      {"group": 0, "slot": 3, "text": "AT THREE"})"));
  std::string text;
  ASSERT_TRUE(operations.readModuleList(text));
  ASSERT_TRUE(operations.readModuleInfo(0, text));
  EXPECT_EQ(text, "AT TWO");
  EXPECT_EQ(nameUtf8(*core.table().record(0)), "AT TWO");
  ASSERT_TRUE(operations.readModuleParameters(0, text)) << text;
  EXPECT_EQ(core.table().record(0)->moduleId, 7u);
  EXPECT_EQ(callsNamed("Order51"), std::vector<std::string>{"Order51 1088 85"});
  EXPECT_EQ(callsNamed("Order40"), std::vector<std::string>{"Order40 16096 16"});

  ASSERT_TRUE(operations.readModuleInfo(1, text));
  EXPECT_EQ(text, "AT THREE");
  EXPECT_FALSE(operations.readModuleParameters(1, text));
  EXPECT_EQ(text, "获得模块列表信息错误!");
  const auto opensBefore = callsNamed("OpenCom").size();
  auto working = *core.table().record(1);
  EXPECT_FALSE(operations.writeModuleParameters(working, text));
  EXPECT_EQ(text, "获得模块列表信息错误!");
  EXPECT_EQ(callsNamed("OpenCom").size(), opensBefore);  // nothing was sent
}

TEST_F(SerialTest, ParameterWordsOutOfRangeWarnOrFail) {
  struct Row {
    const char* name;
    std::string words;  // the module's raw words from word 0
    bool result;
    std::string text;
    Ipv4Bytes ip, mask;
    std::uint32_t station;
  };
  const Ipv4Bytes kept{1, 2, 3, 4};
  const std::string good = R"(0, "0x5", "0x1", "0x168", "0x192", "0", "0x255", "0x255", "0x255")";
  const Row rows[] = {
      {"in range", good + R"(, 1, 1, 1, 1, "0x12")", true, "", {192, 168, 1, 5}, {255, 255, 255, 0}, 12},
      {"IP word 0x0300", R"(0, "0x300", "0x1", "0x168", "0x192", "0", "0x255", "0x255", "0x255", 1, 1, 1, 1, "0x12")",
       true, "IP地址超出范围(0～255)!\n请检查PLC；软件显示参数将自动切换到默认参数。", kept, {255, 255, 255, 0}, 12},
      {"mask word 0x0256", good.substr(0, good.rfind(',')) + R"(, "0x256", 1, 1, 1, 1, "0x12")", true,
       "子网掩码超出范围(0～255)!\n请检查PLC；软件显示参数将自动切换到默认参数。", {192, 168, 1, 5}, kept, 12},
      {"nibble above 9", R"(0, "0x5", "0x1", "0x168", "0x1A2", "0", "0x255", "0x255", "0x255", 1, 1, 1, 1, "0x12")",
       true, "", {1, 168, 1, 5}, {255, 255, 255, 0}, 12},
      {"station 0x1255", good + R"(, 1, 1, 1, 1, "0x1255")", true, "", {192, 168, 1, 5}, {255, 255, 255, 0}, 255},
      {"station 0x0256", good + R"(, 1, 1, 1, 1, "0x0256")", false,
       "局号超出范围(0～255)!\n请检查PLC；软件显示参数将自动切换到默认参数。", {192, 168, 1, 5}, {255, 255, 255, 0}, 99},
  };
  for (const Row& row : rows) {
    startPlc(plcWith(R"({"group": 0, "slot": 0, "words": [)" + row.words + "]}"));
    std::string text;
    ASSERT_TRUE(operations.readModuleList(text)) << row.name;
    core.table().update(0, [&](ModuleRecord& r) {
      r.currentIp = r.currentMask = kept;
      r.moduleId = 99;
    });
    text.clear();
    EXPECT_EQ(operations.readModuleParameters(0, text), row.result) << row.name;
    EXPECT_EQ(text, row.text) << row.name;
    const auto r = *core.table().record(0);
    EXPECT_EQ(r.currentIp, row.ip) << row.name;
    EXPECT_EQ(r.currentMask, row.mask) << row.name;
    EXPECT_EQ(r.currentGateway, (Ipv4Bytes{1, 1, 1, 1})) << row.name;
    EXPECT_EQ(r.moduleId, row.station) << row.name;
  }
}

TEST_F(SerialTest, WriteTakenWith0xA0NeedsNoStatusRead) {
  startPlc(plcWith(kModuleAt01));
  std::string text;
  ASSERT_TRUE(operations.readModuleList(text));
  auto working = *core.table().record(0);
  working.currentIp = {10, 0, 0, 7};
  working.currentMask = {255, 0, 0, 0};
  working.currentGateway = {10, 0, 0, 1};
  working.moduleId = 200;
  working.statusFlags = 9;
  text = "before";
  EXPECT_TRUE(operations.writeModuleParameters(working, text));
  EXPECT_EQ(text, "before");
  EXPECT_EQ(working.statusFlags, 0);
  EXPECT_EQ(callsNamed("Order40"), std::vector<std::string>{"Order40 16094 1"});
  ASSERT_TRUE(operations.readModuleParameters(0, text));
  const auto r = *core.table().record(0);
  EXPECT_EQ(r.currentIp, (Ipv4Bytes{10, 0, 0, 7}));
  EXPECT_EQ(r.currentMask, (Ipv4Bytes{255, 0, 0, 0}));
  EXPECT_EQ(r.currentGateway, (Ipv4Bytes{10, 0, 0, 1}));
  EXPECT_EQ(r.moduleId, 200u);
}

TEST_F(SerialTest, WriteAnsweredWithAStatusCode) {
  struct Row {
    int code;
    bool result;
    std::string status;  // after "写模块参数到PLC成功！\n但"
  };
  const Row rows[] = {{0, true, "----正常----"}, {3, false, "IP冲突(致命)3"},
                      {4, false, "物理地址错误(警告)4"}, {7, false, "状态无法识别7"}};
  for (const Row& row : rows) {
    startPlc(plcWith(R"({"group": 0, "slot": 1, "answer": )" + std::to_string(row.code) + "}"));
    std::string text;
    ASSERT_TRUE(operations.readModuleList(text));
    auto working = *core.table().record(0);
    bool reported = false;
    EXPECT_EQ(operations.writeModuleParameters(working, text, &reported), row.result) << row.code;
    EXPECT_TRUE(reported);
    EXPECT_EQ(text, "写模块参数到PLC成功！\n但" + row.status) << row.code;
    EXPECT_EQ(working.statusFlags, row.code);
    EXPECT_EQ(callsNamed("Order40").back(), "Order40 16080 1");
  }
  ModuleRecord three;
  three.statusFlags = 3;
  EXPECT_EQ(formatModuleRow(three, kProtocolSerial).columns[kColumnStatus], "IP冲突(致命)3");
}

TEST_F(SerialTest, WriteRefusesAStationAbove255BeforeSendingAnything) {
  usePort(kNoDevicePort);
  ModuleRecord working;
  working.moduleId = 256;
  std::string text;
  EXPECT_FALSE(operations.writeModuleParameters(working, text));
  EXPECT_EQ(text, "局号超出范围(0～255)!\n请重新输入局号。");
  working.moduleId = 0x10005;  // only the low 16 bits count
  EXPECT_FALSE(operations.writeModuleParameters(working, text));
  EXPECT_EQ(text, "写模块参数到PLC时出错！\n无法打开端口:COM200");  // got as far as the port
  EXPECT_TRUE(callsNamed("Order").empty());
}

}  // namespace
}  // namespace orvane::testing
