#include "orvane/protocol/row_format.h"

#include <gtest/gtest.h>

#include "orvane/protocol/version_format.h"
#include "platform/gbk.h"

namespace orvane {
namespace {

ModuleRecord module(std::uint8_t runMode, std::uint16_t flags) {
  ModuleRecord r;
  r.mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  r.currentIp = {192, 168, 1, 5};
  r.runMode = runMode;
  r.statusFlags = flags;
  r.moduleId = 42;
  setTextField(r.name, platform::utf8ToGbk("一号站"));
  setTextField(r.description, platform::utf8ToGbk("泵房 2"));
  r.versions.firmwareVersion = {1, 0, 0, 4};
  return r;
}

TEST(RowFormat, RowsOnBothRoutes) {
  struct Row {
    const char* what;
    ModuleRecord record;
    int protocol;
    std::array<std::string, 8> columns;
    int level;
  };
  auto fixed = module(2, 0);
  fixed.fixedId = 5;
  auto bigId = module(2, 0);
  bigId.moduleId = 3000000000u;
  auto tenNet = module(2, 0);
  tenNet.currentIp = {10, 0, 0, 1};
  auto serial = module(0, 4);
  serial.versions.firmwareVersion = {5, 1, 0, 0};
  const Row rows[] = {
      {"system program", module(2, 0), 0,
       {"00.1A.2B.3C.4D.5E", "M4-TRAX100", "192.168.01.05", "42", "一号站", "泵房 2", "系统程序",
        "V4.0.0.1"}, 0},
      {"boot loader hides ID, name, description", module(1, 0), 0,
       {"00.1A.2B.3C.4D.5E", "M4-TRAX100", "192.168.01.05", "", "", "", "BOOTLOAD", "V4.0.0.1"}, 0},
      {"fixed ID over the network", fixed, 0,
       {"00.1A.2B.3C.4D.5E", "M4-TRAX100", "192.168.01.05", "5", "一号站", "泵房 2", "系统程序",
        "V4.0.0.1"}, 0},
      {"fixed ID ignored on the serial route", fixed, 1,
       {"00.1A.2B.3C.4D.5E", "P-TRAX100", "192.168.01.05", "42", "一号站", "泵房 2", "----正常----",
        "V0.01"}, 0},
      {"IDs above 2^31 stay unsigned", bigId, 0,
       {"00.1A.2B.3C.4D.5E", "M4-TRAX100", "192.168.01.05", "3000000000", "一号站", "泵房 2",
        "系统程序", "V4.0.0.1"}, 0},
      {"padded IP", tenNet, 0,
       {"00.1A.2B.3C.4D.5E", "M4-TRAX100", "10.00.00.01", "42", "一号站", "泵房 2", "系统程序",
        "V4.0.0.1"}, 0},
      {"serial status code and version", serial, 1,
       {"00.1A.2B.3C.4D.5E", "P-TRAX100", "192.168.01.05", "42", "一号站", "泵房 2",
        "物理地址错误(警告)4", "V1.05"}, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const auto formatted = formatModuleRow(row.record, row.protocol);
    EXPECT_EQ(formatted.columns, row.columns);
    EXPECT_EQ(formatted.level, row.level);
  }
}

TEST(RowFormat, StatusTexts) {
  struct Row {
    int protocol;
    std::uint8_t runMode;
    std::uint16_t flags;
    std::string text;
    int level;
  };
  const Row rows[] = {
      {0, 0, 0, "未知", 0},
      {0, 1, 0, "BOOTLOAD", 0},
      {0, 2, 0x11, "系统程序-物理地址错误(警告)-手动复位状态", 1},
      {0, 2, 0x13, "系统程序-物理地址错误(警告)-IP冲突(致命)-手动复位状态", 2},
      {0, 2, 0x10, "系统程序-手动复位状态", 1},
      {0, 0, 0x0C, "未知-FPGA程序出错.-FPGA程序出错..", 2},
      {0, 2, 0x08, "系统程序-FPGA程序出错..", 2},  // red on a full refresh, not only after a sort
      {0, 1, 0x14, "BOOTLOAD-FPGA程序出错.-手动复位状态", 2},
      {0, 2, 0xFFE0, "系统程序", 0},  // only the low five bits have texts
      {0, 3, 0x1F, "", 0},
      {0, 255, 0x02, "", 0},
      {1, 0, 0, "----正常----", 0},
      {1, 0, 1, "命令无法执行(致命)1", 2},
      {1, 0, 2, "设定错误(致命)2", 2},
      {1, 0, 3, "IP冲突(致命)3", 2},
      {1, 0, 4, "物理地址错误(警告)4", 1},
      {1, 0, 5, "状态无法识别5", 2},
      {1, 0, 6, "", 0},
      {1, 0, 0x0103, "", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(statusCell(module(row.runMode, row.flags), row.protocol),
              (StatusCell{row.text, row.level}));
  }
}

TEST(RowFormat, RecolourLevels) {
  struct Row {
    int protocol;
    std::uint8_t runMode;
    std::uint16_t flags;
    int level;
  };
  const Row rows[] = {
      {0, 2, 0, 0},    {0, 2, 0x01, 1}, {0, 2, 0x02, 2}, {0, 2, 0x04, 2}, {0, 2, 0x08, 2},
      {0, 2, 0x10, 1}, {0, 2, 0x11, 1}, {0, 2, 0x12, 2}, {0, 7, 0x02, 2},  // whatever runMode
      {1, 0, 0, 0},    {1, 0, 4, 1},    {1, 0, 1, 2},    {1, 0, 6, 2},     {1, 0, 0x0103, 2},
  };
  for (const auto& row : rows)
    EXPECT_EQ(recolourLevel(module(row.runMode, row.flags), row.protocol), row.level)
        << row.protocol << " " << row.flags;
  EXPECT_EQ(levelColour(0), (Rgb{255, 255, 255}));
  EXPECT_EQ(levelColour(1), (Rgb{255, 255, 0}));
  EXPECT_EQ(levelColour(2), (Rgb{255, 0, 0}));
}

TEST(RowFormat, MacTextAndItsParse) {
  const MacAddress mac{0x0A, 0xff, 0x00, 0x5f, 0xC3, 0x01};
  EXPECT_EQ(macText(mac), "0A.FF.00.5F.C3.01");
  EXPECT_EQ(parseMacText(macText(mac)), mac);
  EXPECT_EQ(parseMacText("a.ff.0.5f.c3.1"), mac);
  for (const char* bad : {"", "0A.FF.00.5F.C3", "0A.FF.00.5F.C3.01.02", "0A-FF-00-5F-C3-01",
                          "0A.FF.00.5F.C3.1FF", "0A.FF.00.5F.C3.0G", "0A..00.5F.C3.01",
                          "0A.FF.00.5F.C3.01 "})
    EXPECT_FALSE(parseMacText(bad)) << bad;
}

TEST(RowFormat, ColumnsOfTheList) {
  const char* headers[] = {"MAC 地址", "模块类型", "IP地址", "ID", "名称", "描述", "状态", "版本"};
  const int widths[] = {150, 150, 100, 50, 150, 200, 100, 80};
  for (int i = 0; i < kColumnCount; ++i) {
    EXPECT_EQ(kModuleListColumns[static_cast<std::size_t>(i)].header, headers[i]);
    EXPECT_EQ(kModuleListColumns[static_cast<std::size_t>(i)].width, widths[i]);
  }
}

TEST(VersionFormat, InformationPanelTexts) {
  ModuleVersionInfo v;
  v.firmwareVersion = {5, 1, 0, 0};
  v.bootVersion = {1, 1, 0, 2};
  v.pwbVersion = {5, 1};
  v.pldVersion = {9, 2};
  v.switchByte = 0x80;
  const auto running = versionPanelTexts(2, v);
  EXPECT_EQ(running.firmware, "1.05");
  EXPECT_EQ(running.boot, "2.0.1.1");
  EXPECT_EQ(running.pwb, "1.05");
  EXPECT_EQ(running.pld, "2.09");
  EXPECT_EQ(running.switches, "10000000");

  const auto boot = versionPanelTexts(1, v);
  EXPECT_EQ(boot.firmware, "----");
  EXPECT_EQ(boot.pld, "----");
  EXPECT_EQ(boot.switches, "----");
  EXPECT_EQ(boot.boot, "2.0.1.1");
  EXPECT_EQ(boot.pwb, "1.05");

  v.firmwareVersion = {0, 0, 1, 0};  // byte 2 set: four numbers
  EXPECT_EQ(versionPanelTexts(0, v).firmware, "0.1.0.0");
  EXPECT_EQ(switchBitsText(0), "00000000");
  EXPECT_EQ(switchBitsText(0x05), "00000101");
}

}  // namespace
}  // namespace orvane
