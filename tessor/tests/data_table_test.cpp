#include <gtest/gtest.h>

#include <climits>

#include "recording_prompt.h"
#include "tessor/core/data_table.h"

namespace tessor {
namespace {

using testing::RecordingPrompt;
using Row = std::vector<std::string>;

void prepare(DataTable& table, const char* start, int format = 1) {
  table.setStartAddress(start);
  table.setSelectedFormat(format);
  table.setPreviousFormat(format);
}

TEST(TessorDataTableLayout, RowsColumnsHeadersAndPlaceholders) {
  struct Case {
    int n, columnsPerRow, rows, columns;
  };
  const Case cases[] = {{10, 8, 3, 9},  {1, 8, 2, 2},   {0, 8, 1, 9},
                        {16, 8, 3, 9},  {17, 8, 4, 9},  {20, 10, 3, 11},
                        // "Grid Column" beyond what a row can use is taken as 1 or 2000
                        {10, 0, 11, 2}, {10, -7, 11, 2}, {10, INT_MAX, 2, 2001}};
  for (const auto& c : cases) {
    DataTable table;
  prepare(table, "R2000");
    table.setColumnsPerRow(c.columnsPerRow);
    table.Relayout(c.n, false);
    EXPECT_EQ(table.rowCount(), c.rows) << c.n;
    EXPECT_EQ(table.columnCount(), c.columns) << c.n;
  }
  DataTable table;
  prepare(table, "R2000");
  const std::uint16_t buffer[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  table.ShowValues(buffer, 10, 1, true);
  const auto cells = table.cells();
  EXPECT_EQ(cells[0], (Row{"", "+0", "+1", "+2", "+3", "+4", "+5", "+6", "+7"}));
  EXPECT_EQ(cells[1], (Row{"R2000", "1", "2", "3", "4", "5", "6", "7", "8"}));
  EXPECT_EQ(cells[2], (Row{"R2010", "9", "10", "----", "----", "----", "----", "----", "----"}));
}

TEST(TessorDataTableLayout, EditsReLayForTheClampedLengthOfARecognisedType) {
  EXPECT_EQ(relayoutCount("R2000", "200"), 125);
  EXPECT_EQ(relayoutCount("Q0", "3000"), 2000);
  EXPECT_EQ(relayoutCount("Q0", "20"), 20);
  EXPECT_EQ(relayoutCount("Q0", ""), 0);
  EXPECT_EQ(relayoutCount("R", "10"), std::nullopt);
  EXPECT_EQ(relayoutCount("X1", "10"), std::nullopt);
}

TEST(TessorDataTableLayout, TenColumnsCountHeadersInOctal) {
  DataTable table;
  prepare(table, "GI10");
  table.setColumnsPerRow(10);
  table.Relayout(20, false);
  const auto cells = table.cells();
  EXPECT_EQ(cells[0][9], "+10");
  EXPECT_EQ(cells[0][10], "+11");
  EXPECT_EQ(cells[1][0], "GI10");
  EXPECT_EQ(cells[2][0], "GI22");  // 010 + 10 = 022
}

TEST(TessorDataTableShow, WordsInEachFormatUpperCase) {
  const std::uint16_t buffer[3] = {255, 65535, 8};
  const std::tuple<int, Row> rows[] = {
      {0, {"377", "177777", "10"}}, {1, {"255", "65535", "8"}}, {2, {"FF", "FFFF", "8"}},
      {7, {"255", "65535", "8"}},  // any other format prints decimal
  };
  for (const auto& [format, expected] : rows) {
    DataTable table;
  prepare(table, "R0", format);
    table.ShowValues(buffer, 3, format, false);
    EXPECT_EQ((Row{table.cell(1, 1), table.cell(1, 2), table.cell(1, 3)}), expected) << format;
  }
}

TEST(TessorDataTableShow, BitsComeLeastSignificantFirst) {
  DataTable table;
  prepare(table, "Q0");
  const std::uint16_t buffer[2] = {0x5555, 0x0005};  // 20 coils alternating 1, 0
  table.ShowValues(buffer, 20, 1, false);
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(table.cell(i / 8 + 1, i % 8 + 1), i % 2 == 0 ? "1" : "0") << i;
  EXPECT_EQ(table.cell(3, 5), "----");
}

TEST(TessorDataTableRelayout, ConvertsBetweenFormatsAndKeepsPlaceholders) {
  DataTable table;
  prepare(table, "R0", 1);
  table.Relayout(3, false);
  table.setCell(1, 1, "255");
  table.setCell(1, 2, "65535");
  table.setSelectedFormat(2);
  table.Relayout(3, false);
  EXPECT_EQ((Row{table.cell(1, 1), table.cell(1, 2), table.cell(1, 3), table.cell(1, 4)}),
            (Row{"FF", "FFFF", "----", "----"}));
  table.setSelectedFormat(1);
  table.Relayout(3, false);
  EXPECT_EQ(table.cell(1, 1), "255");
  EXPECT_EQ(table.cell(1, 2), "65535");
  table.setSelectedFormat(0);
  table.Relayout(3, false);
  EXPECT_EQ(table.cell(1, 1), "377");
  table.Relayout(3, false);  // no format change: texts stay as they are
  EXPECT_EQ(table.cell(1, 1), "377");
}

TEST(TessorDataTableRelayout, KeepsTextsWhenTheLengthChangesAndFillsNewCells) {
  DataTable table;
  prepare(table, "R0", 1);
  table.Relayout(3, false);
  table.setCell(1, 1, "7");
  table.setCell(1, 3, "");
  table.Relayout(12, true);
  EXPECT_EQ(table.cell(1, 1), "7");
  EXPECT_EQ(table.cell(1, 3), "----");
  EXPECT_EQ(table.cell(2, 4), "----");
  EXPECT_EQ(table.cell(2, 0), "R10");
}

TEST(TessorDataTableRelayout, TellsTheWindowWhetherToAutosize) {
  DataTable table;
  prepare(table, "R0");
  std::vector<bool> notes;
  table.setLayoutListener([&](bool autosize) { notes.push_back(autosize); });
  table.Relayout(2, true);
  const std::uint16_t buffer[2] = {};
  table.ShowValues(buffer, 2, 1, false);
  EXPECT_EQ(notes, (std::vector<bool>{true, false}));
}

std::string shortMessage(int r, int c, int base) {
  return "\n表格数据(" + std::to_string(r) + "," + std::to_string(c) + ")错误！\n1.表格数据不可以为空\n2.表格数据为" +
         std::to_string(base) + "进制数\n\n请重新输入！";
}
std::string longMessage(int r, int c, int base) {
  return "\n表格数据(" + std::to_string(r) + "," + std::to_string(c) + ")错误！\n1.表格数据不可以为空\n2.表格数据为" +
         std::to_string(base) + "进制数\n3.数据必须在范围(0 - 65535)[十进制]内\n\n请重新输入！";
}

TEST(TessorDataTableValidate, FirstFailingCellNamesItsPlaceAndBase) {
  struct Case {
    const char* start;
    int format;
    int row, column;
    const char* text;
    std::string message;  // empty: passes
  };
  const Case cases[] = {
      {"R0", 1, 2, 3, "", shortMessage(2, 3, 10)},  // beyond n, still checked
      {"R0", 1, 1, 1, "XYZ", shortMessage(1, 1, 10)},
      {"R0", 1, 1, 1, "65536", longMessage(1, 1, 10)},
      {"R0", 1, 1, 1, "65535", ""},
      {"R0", 1, 1, 1, "12X", ""},  // passes here, fails the collect
      {"R0", 2, 1, 1, "ab", ""},   // upper-cased before the digit test
      {"R0", 2, 1, 1, "10000", longMessage(1, 1, 16)},
      {"R0", 0, 1, 1, "9", shortMessage(1, 1, 8)},
      {"Q0", 2, 1, 2, "2", shortMessage(1, 2, 2)},  // bits are base 2 whatever the format
      {"Q0", 1, 1, 2, "10", longMessage(1, 2, 2)},
      {"Q0", 1, 1, 2, "1", ""},
  };
  for (const auto& c : cases) {
    DataTable table;
  prepare(table, c.start, c.format);
    table.Relayout(16, false);
    for (int r = 1; r < table.rowCount(); ++r)
      for (int k = 1; k < table.columnCount(); ++k) table.setCell(r, k, "0");
    table.setCell(c.row, c.column, c.text);
    RecordingPrompt prompt;
    EXPECT_EQ(table.ValidateTableValues(prompt), c.message.empty()) << c.text;
    if (!c.message.empty()) {
      EXPECT_EQ(prompt.texts(), std::vector<std::string>{c.message}) << c.text;
    }
  }
}

TEST(TessorDataTableValidate, SkipsPlaceholderCells) {
  DataTable table;
  prepare(table, "R0");
  table.Relayout(1, false);
  table.setCell(1, 1, "5");
  table.Relayout(3, false);  // cells beyond the first now hold "----"
  RecordingPrompt prompt;
  EXPECT_TRUE(table.ValidateTableValues(prompt));
}

TEST(TessorDataTableCollect, PacksWordsInTheGivenBase) {
  DataTable table;
  prepare(table, "R0", 2);
  table.Relayout(3, false);
  table.setCell(1, 1, "ab");
  table.setCell(1, 2, "FFFF");
  table.setCell(1, 3, "0");
  std::array<std::uint16_t, 8> buffer{};
  EXPECT_EQ(table.CollectValues(buffer, 3, 2), 3);
  EXPECT_EQ(buffer[0], 171);
  EXPECT_EQ(buffer[1], 65535);
  EXPECT_EQ(buffer[2], 0);
}

TEST(TessorDataTableCollect, FailsSilentlyOnLeftOversAndShortTables) {
  DataTable table;
  prepare(table, "R0", 1);
  table.Relayout(2, false);
  table.setCell(1, 1, "12X");
  table.setCell(1, 2, "3");
  std::array<std::uint16_t, 8> buffer{};
  EXPECT_EQ(table.CollectValues(buffer, 2, 1), 0);
  table.setCell(1, 1, "12");
  EXPECT_EQ(table.CollectValues(buffer, 2, 1), 2);
  EXPECT_EQ(table.CollectValues(buffer, 9, 1), 0);  // more values than data cells
  table.setColumnsPerRow(20);                       // grid laid out for 8 columns
  table.Relayout(2, false);
  EXPECT_EQ(table.CollectValues(buffer, 2, 1), 2);
}

TEST(TessorDataTableCollect, BitsClearWhatThePreviousReadLeft) {
  DataTable table;
  prepare(table, "Q0", 1);
  table.Relayout(40, false);
  for (int i = 0; i < 40; ++i) table.setCell(i / 8 + 1, i % 8 + 1, i == 33 ? "0" : "1");
  std::array<std::uint16_t, 8> buffer;
  buffer.fill(0xFFFF);
  EXPECT_EQ(table.CollectValues(buffer, 40, 1), 3);
  EXPECT_EQ(buffer[0], 0xFFFF);
  EXPECT_EQ(buffer[1], 0xFFFF);
  EXPECT_EQ(buffer[2], 0x00FD);  // value 33 is bit 1 of word 2; bits past 40 cleared
  EXPECT_EQ(buffer[3], 0xFFFF);  // untouched beyond ceil(40 / 16)
}

}  // namespace
}  // namespace tessor
