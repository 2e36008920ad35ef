// BCD words both ways, the version inside a module's information text, the
// status code texts, the memory map's positions and the port dialog's list.
#include <gtest/gtest.h>

#include "orvane/serial/bcd.h"
#include "orvane/serial/plc_memory_map.h"
#include "orvane/serial/port_choice.h"
#include "orvane/serial/serial_operations.h"
#include "orvane/serial/text_fill.h"
#include "orvane/serial/version_text.h"

namespace orvane {
namespace {

TEST(Bcd, WordsReadAsTheirDecimalDigitsUpToANibbleAbove9) {
  const std::pair<std::uint16_t, unsigned> rows[] = {
      {0x0000, 0},   {0x0192, 192}, {0x0255, 255}, {0x0300, 300}, {0x9999, 9999},
      {0x01A2, 1},   {0xA123, 0},   {0x12F4, 12},  {0x000A, 0},   {0x0FFF, 0},
      {0x1255 & 0x0FFF, 255},  // the station's low 12 bits
  };
  for (const auto& [word, value] : rows) EXPECT_EQ(bcdToValue(word), value) << std::hex << word;
}

TEST(Bcd, EveryByteRoundTrips) {
  for (unsigned v = 0; v <= 255; ++v) {
    const auto word = valueToBcd(static_cast<std::uint8_t>(v));
    EXPECT_EQ(bcdToValue(word), v);
    for (int shift = 0; shift < 16; shift += 4) EXPECT_LE((word >> shift) & 0xF, 9u) << v;
  }
  EXPECT_EQ(valueToBcd(192), 0x0192);
  EXPECT_EQ(valueToBcd(9), 0x0009);
}

TEST(SerialVersion, TakesTheTwoNumbersAfter21Characters) {
  struct Row {
    std::string text;
    bool applied;
    std::uint8_t major, minor;  // bytes 1 and 0 afterwards (they start at 7 and 8)
  };
  const std::string prefix = "ABCDEFGHIJKLMNOPQRSTU";  // 21 characters
  const Row rows[] = {
      {prefix + "1.05", true, 1, 5},
      {prefix + "12.34xyz", true, 12, 34},
      {prefix + " 2.7", true, 2, 7},
      {prefix + "105", true, 0, 5},      // no point: split at the start
      {prefix + ".", true, 0, 0},
      {prefix + "V1.05", true, 0, 5},    // no leading digits: 0
      {prefix + "256.1", false, 7, 8},   // does not fit its byte
      {prefix + "1.99999999999", false, 7, 8},
      {prefix, false, 7, 8},             // 21 characters: nothing
      {"short 1.05", false, 7, 8},
      {"模块模块模块模块模块模块模块模块模块模块模" "3.02", true, 3, 2},  // characters, not bytes
  };
  for (const Row& row : rows) {
    ModuleVersionInfo v{};
    v.firmwareVersion = {8, 7, 6, 5};
    EXPECT_EQ(applySerialVersion(row.text, v), row.applied) << row.text;
    EXPECT_EQ(v.firmwareVersion[1], row.major) << row.text;
    EXPECT_EQ(v.firmwareVersion[0], row.minor) << row.text;
    EXPECT_EQ(v.firmwareVersion[2], 6) << row.text;
  }
}

TEST(SerialTexts, StatusCodesAndFilledTexts) {
  EXPECT_EQ(statusCodeText(0), "----正常----");
  EXPECT_EQ(statusCodeText(1), "命令无法执行(致命)1");
  EXPECT_EQ(statusCodeText(2), "设定错误(致命)2");
  EXPECT_EQ(statusCodeText(3), "IP冲突(致命)3");
  EXPECT_EQ(statusCodeText(4), "物理地址错误(警告)4");
  EXPECT_EQ(statusCodeText(5), "状态无法识别5");
  EXPECT_EQ(statusCodeText(200), "状态无法识别200");
  EXPECT_EQ(fillIn("COM%d", 7), "COM7");
  EXPECT_EQ(fillIn("\t%s!", "A"), "\tA!");
  EXPECT_EQ(fillIn("%s then %d", "x"), "x then %d");
}

TEST(PlcMemoryMap, PositionsWordAreasAndMailboxRequests) {
  struct Row {
    int group, slot;
    std::optional<int> base;
    std::uint8_t mailbox;
  };
  const Row rows[] = {
      {0, 0, 16064, 0x83}, {0, 1, 16080, 0x84}, {0, 2, 16096, 0x85},
      {0, 3, std::nullopt, 0x86}, {1, 1, std::nullopt, 0x8C}, {3, 7, std::nullopt, 0xA2},
  };
  for (const Row& row : rows) {
    const int position = plc::modulePosition(row.group, row.slot);
    EXPECT_EQ(plc::wordAreaBase(position), row.base) << row.group << "/" << row.slot;
    EXPECT_EQ(plc::mailboxModuleRequest(position), row.mailbox) << row.group << "/" << row.slot;
  }
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST(PortChoice, EntriesSortedAsTextWithTheCurrentPortSelected) {
  const auto choice = portChoice(10, {2, 10, 1, 33, 10});
  EXPECT_EQ(choice.entries, (std::vector<std::string>{"COM1", "COM10", "COM2", "COM33"}));
  struct Selection {
    int current, selected;
  };
  for (const auto row : {Selection{2, 2}, Selection{10, 1}, Selection{33, 3}, Selection{4, 0},
                         Selection{0, 0}})  // not listed: the first entry
    EXPECT_EQ(portChoice(row.current, {2, 10, 1, 33}).selected, row.selected) << row.current;
  EXPECT_EQ(portChoice(1, {}).selected, -1);
  EXPECT_TRUE(portChoice(1, {}).entries.empty());
  struct Row {
    std::string entry;
    std::optional<int> port;
  };
  const Row rows[] = {{"COM3", 3},       {"COM12", 12},         {"COM", std::nullopt},
                      {"", std::nullopt}, {"COMx", 0},           {"COM7a", 7},
                      {"COM7x", 7},       {"COM99999999999999", 1'000'000'000}};
  for (const Row& row : rows) EXPECT_EQ(portOfEntry(row.entry), row.port) << row.entry;
}

}  // namespace
}  // namespace orvane
