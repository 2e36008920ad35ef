#include <gtest/gtest.h>

#include "recording_prompt.h"
#include "tessor/core/register_map.h"
#include "tessor/core/start_address_dialog.h"

namespace tessor {
namespace {

using testing::RecordingPrompt;

const std::string kShort = kShortStartAddressMessage;
std::string longMessage(const char* min, const char* max) {
  return std::string("\n起始地址错误！\n1.起始地址不可以为空\n2.起始地址必须为八进制数\n3.起始地址必须在范围(") +
         min + " - " + max + ")内\n\n请重新输入！";
}

struct ParseRow {
  const char* text;
  std::optional<std::uint16_t> address;
  std::string message;  // empty when none is expected
};

TEST(TessorParseStartAddress, GivesModbusAddressOrShowsTheMessage) {
  const ParseRow rows[] = {
      {"R2000", 1024, ""},
      {"R41237", 17055, ""},
      {"R0", 0, ""},
      {"R", 0, ""},  // an empty number converts to 0
      {"Q0", 2048, ""},
      {"C377", 6655, ""},
      {"GI3777", 2047, ""},
      {"I1777", 3071, ""},
      {"SP777", 3583, ""},
      {"GQ10", 8, ""},
      {"M3777", 5119, ""},
      {"S0", 5120, ""},
      {"T377", 6399, ""},
      {"R41240", std::nullopt, longMessage("0", "41237")},
      {"C400", std::nullopt, longMessage("0", "377")},
      {"R8", std::nullopt, longMessage("0", "41237")},
      {"R-1", std::nullopt, longMessage("0", "41237")},
      {"R99999999999999999999999", std::nullopt, longMessage("0", "41237")},
      {"SP1000", std::nullopt, longMessage("0", "777")},
      {"r2000", std::nullopt, kShort},
      {"X1", std::nullopt, kShort},
      {"2000R", std::nullopt, kShort},
      {"IR5", std::nullopt, kShort},  // R is tried first and found at position 1
      {"", std::nullopt, kShort},
  };
  for (const auto& row : rows) {
    RecordingPrompt prompt;
    EXPECT_EQ(ParseStartAddress(row.text, prompt), row.address) << row.text;
    const auto messages = prompt.messages();
    if (row.message.empty()) {
      EXPECT_TRUE(messages.empty()) << row.text;
    } else {
      ASSERT_EQ(messages.size(), 1u) << row.text;
      EXPECT_EQ(messages[0].text, row.message) << row.text;
      EXPECT_EQ(messages[0].caption, "警告");
      EXPECT_EQ(messages[0].icon, PromptIcon::Warning);
      EXPECT_EQ(messages[0].buttons, PromptButtons::Ok);
    }
  }
}

TEST(TessorRecognizeRegisterType, LooksAtTheFirstTwoCharactersThenTheFirst) {
  const std::pair<const char*, std::optional<int>> rows[] = {
      {"R2000", 0}, {"RX", 0}, {"GI10", 1}, {"I1", 2}, {"SP17", 3}, {"GQ0", 4},
      {"Q0", 5},    {"M7", 6}, {"ST", 7},   {"T1", 8}, {"C0", 9},   {"R", std::nullopt},
      {"", std::nullopt}, {"G5", std::nullopt}, {"X1", std::nullopt}, {"r2000", std::nullopt},
  };
  for (const auto& [text, type] : rows) EXPECT_EQ(RecognizeRegisterType(text), type) << text;
}

TEST(TessorRegisterTable, LengthsFunctionsAndNames) {
  EXPECT_EQ(MaxLength(0), 125);
  for (int type = 1; type < kRegisterTypeCount; ++type) EXPECT_EQ(MaxLength(type), 2000);
  EXPECT_TRUE(SupportsFunction(0, FunctionButton::FC16));
  EXPECT_FALSE(SupportsFunction(0, FunctionButton::FC1));
  EXPECT_TRUE(SupportsFunction(1, FunctionButton::FC2));
  EXPECT_FALSE(SupportsFunction(1, FunctionButton::FC1));
  EXPECT_TRUE(SupportsFunction(9, FunctionButton::FC15));
  EXPECT_FALSE(SupportsFunction(9, FunctionButton::FC3));
  EXPECT_STREQ(functionName(FunctionButton::FC15), "15－强制多点线圈");
  EXPECT_STREQ(functionName(FunctionButton::FC3), "03－读保持寄存器");
  for (int code : {1, 2, 3, 4, 5, 6, 15, 16})
    EXPECT_EQ(functionCode(*buttonOfFunctionCode(code)), code);
  EXPECT_FALSE(buttonOfFunctionCode(7));
}

TEST(TessorStartAddressDialog, SplitsTheIncomingText) {
  const std::tuple<const char*, std::optional<int>, const char*> rows[] = {
      {"SP17", 3, "17"}, {"", 0, ""}, {"R2000", 0, "2000"}, {"2000R", 0, "2000"},
      {"X12", std::nullopt, ""}, {"GI10", 1, "10"},
  };
  for (const auto& [text, selection, number] : rows) {
    StartAddressDialogModel dialog(text);
    EXPECT_EQ(dialog.selection(), selection) << text;
    EXPECT_EQ(dialog.numberText(), number) << text;
  }
}

TEST(TessorStartAddressDialog, InformationLineFollowsTheSelection) {
  StartAddressDialogModel dialog("SP17");
  EXPECT_EQ(dialog.informationLine(), "\nSP寄存器\n\t支持功能代码: 2\n\t寄存器范围: 0 - 777");
  dialog.select(5);
  EXPECT_EQ(dialog.informationLine(), "\nQ寄存器\n\t支持功能代码: 1, 5, 15\n\t寄存器范围: 0 - 1777");
  dialog.select(std::nullopt);
  EXPECT_EQ(dialog.informationLine(), "\n无法识别的寄存器");
}

TEST(TessorStartAddressDialog, OkChecksTheOctalNumberInRange) {
  const std::string rangeR =
      "\n寄存器号错误！\n1.寄存器号不可以为空\n2.寄存器号必须为八进制数\n3.寄存器号必须在范围(0 - "
      "41237)内\n\n请重新输入！";
  const std::tuple<const char*, bool, std::uint16_t> rows[] = {
      {"", false, 0}, {"8", false, 0}, {"41240", false, 0}, {"0017", true, 15}, {"41237", true, 17055},
  };
  for (const auto& [number, accepted, value] : rows) {
    RecordingPrompt prompt;
    StartAddressDialogModel dialog("");
    dialog.setNumberText(number);
    EXPECT_EQ(dialog.accept(prompt), accepted) << number;
    if (accepted) {
      EXPECT_EQ(dialog.value(), value);
      EXPECT_EQ(dialog.resultText(), std::string("R") + number);  // as typed
    } else {
      EXPECT_EQ(prompt.texts(), std::vector<std::string>{rangeR}) << number;
    }
  }
}

}  // namespace
}  // namespace tessor
