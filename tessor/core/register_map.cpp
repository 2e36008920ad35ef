#include "tessor/core/register_map.h"

#include "tessor/core/number_text.h"

namespace tessor {

namespace {
constexpr std::array<bool, kFunctionButtonCount> kWordFunctions{false, true, false, true,
                                                                false, false, true, true};
constexpr std::array<bool, kFunctionButtonCount> kInputFunctions{false, false, true, false,
                                                                 false, false, false, false};
constexpr std::array<bool, kFunctionButtonCount> kCoilFunctions{true, false, false, false,
                                                                true, true, false, false};
constexpr const char* kCoilCodes = "1, 5, 15";

constexpr std::array<const char*, kFunctionButtonCount> kFunctionNames{
    "01－读线圈",       "03－读保持寄存器", "02－读离散输入",   "04－读输入寄存器",
    "05－写线圈",       "15－强制多点线圈", "06－写单一寄存器", "16－写多个寄存器"};
constexpr std::array<int, kFunctionButtonCount> kFunctionCodes{1, 3, 2, 4, 5, 15, 6, 16};

std::string rangeMessage(const char* head, const RegisterType& type) {
  return std::string(head) + formatNumber(type.minimum, 8) + " - " + formatNumber(type.maximum, 8) +
         ")内\n\n请重新输入！";
}
}  // namespace

const std::array<RegisterType, kRegisterTypeCount> kRegisterTypes{{
    {"R", true, kWordFunctions, "3,4,6,16", 0, 17055, 0},
    {"GI", false, kInputFunctions, "2", 0, 2047, 0},
    {"I", false, kInputFunctions, "2", 0, 1023, 2048},
    {"SP", false, kInputFunctions, "2", 0, 511, 3072},
    {"GQ", false, kCoilFunctions, kCoilCodes, 0, 2047, 0},
    {"Q", false, kCoilFunctions, kCoilCodes, 0, 1023, 2048},
    {"M", false, kCoilFunctions, kCoilCodes, 0, 2047, 3072},
    {"S", false, kCoilFunctions, kCoilCodes, 0, 1023, 5120},
    {"T", false, kCoilFunctions, kCoilCodes, 0, 255, 6144},
    {"C", false, kCoilFunctions, kCoilCodes, 0, 255, 6400},
}};

const char* const kShortStartAddressMessage =
    "\n起始地址错误！\n1.起始地址不可以为空\n2.起始地址必须为八进制数\n\n请重新输入！";

const char* functionName(FunctionButton button) {
  return kFunctionNames[static_cast<std::size_t>(button)];
}

int functionCode(FunctionButton button) { return kFunctionCodes[static_cast<std::size_t>(button)]; }

std::optional<FunctionButton> buttonOfFunctionCode(int code) {
  for (int i = 0; i < kFunctionButtonCount; ++i)
    if (kFunctionCodes[static_cast<std::size_t>(i)] == code) return static_cast<FunctionButton>(i);
  return std::nullopt;
}

std::string registerNumberMessage(const RegisterType& type) {
  return rangeMessage(
      "\n寄存器号错误！\n1.寄存器号不可以为空\n2.寄存器号必须为八进制数\n3.寄存器号必须在范围(",
      type);
}

std::optional<std::uint16_t> ParseStartAddress(std::string_view text, Prompt& prompt) {
  if (text.empty()) {
    warn(prompt, kShortStartAddressMessage);
    return std::nullopt;
  }
  for (const RegisterType& type : kRegisterTypes) {
    const std::size_t at = text.find(type.name);
    if (at == std::string_view::npos) continue;
    if (at != 0) break;
    const Conversion number = convertNumber(text.substr(std::string_view(type.name).size()), 8);
    if (!number.complete || number.value > type.maximum || number.value < type.minimum) {
      warn(prompt, rangeMessage("\n起始地址错误！\n1.起始地址不可以为空\n2.起始地址必须为八进制数\n3."
                                "起始地址必须在范围(",
                                type));
      return std::nullopt;
    }
    return static_cast<std::uint16_t>((type.modbusBase + number.value) & 0xFFFF);
  }
  warn(prompt, kShortStartAddressMessage);
  return std::nullopt;
}

std::optional<int> RecognizeRegisterType(std::string_view text) {
  if (text.size() < 2) return std::nullopt;
  for (int pass = 2; pass >= 1; --pass) {
    const std::string_view head = text.substr(0, static_cast<std::size_t>(pass));
    for (int i = 0; i < kRegisterTypeCount; ++i)
      if (head == kRegisterTypes[static_cast<std::size_t>(i)].name) return i;
  }
  return std::nullopt;
}

int MaxLength(int registerType) {
  return kRegisterTypes[static_cast<std::size_t>(registerType)].isWord ? kMaxWordLength
                                                                       : kMaxBitLength;
}

bool SupportsFunction(int registerType, FunctionButton button) {
  return kRegisterTypes[static_cast<std::size_t>(registerType)]
      .functions[static_cast<std::size_t>(button)];
}

std::uint32_t startRegisterNumber(std::string_view text, int registerType) {
  const std::size_t prefix =
      std::string_view(kRegisterTypes[static_cast<std::size_t>(registerType)].name).size();
  if (text.size() <= prefix) return 0;
  const std::uint64_t value = convertNumber(text.substr(prefix), 8).value;
  return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}

}  // namespace tessor
