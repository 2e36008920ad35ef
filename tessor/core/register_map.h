#pragma once
// The PLC's register types and the rules that turn a start-address text such as
// "R2000" or "GI10" (prefix + octal number) into a Modbus address.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tessor/core/prompt.h"

namespace tessor {

// The function-code buttons in button order; the enumerator is the index of the
// flag in RegisterType::functions and of the name in functionName().
enum class FunctionButton { FC1, FC3, FC2, FC4, FC5, FC15, FC6, FC16 };
inline constexpr int kFunctionButtonCount = 8;

struct RegisterType {
  const char* name;        // the prefix the user types
  bool isWord;             // 16-bit registers; bit type otherwise
  std::array<bool, kFunctionButtonCount> functions;
  const char* supportedCodes;
  std::uint32_t minimum;   // register numbers, inclusive
  std::uint32_t maximum;
  std::uint32_t modbusBase;
};

inline constexpr int kRegisterTypeCount = 10;
// The order matters: two-letter prefixes (GI, SP, GQ) are tried before the one
// letter they contain.
extern const std::array<RegisterType, kRegisterTypeCount> kRegisterTypes;

inline constexpr int kMaxWordLength = 125;
inline constexpr int kMaxBitLength = 2000;

// "01－读线圈" ... in button order.
const char* functionName(FunctionButton button);
// The Modbus function code a button stands for (1, 3, 2, 4, 5, 15, 6, 16).
int functionCode(FunctionButton button);
std::optional<FunctionButton> buttonOfFunctionCode(int code);

// The Modbus address of a start-address text, or nothing after the short or the
// long start-address message has been shown through `prompt`.
std::optional<std::uint16_t> ParseStartAddress(std::string_view text, Prompt& prompt);

// The register type a start-address text names (0-9); only its first one or two
// characters are looked at.
std::optional<int> RecognizeRegisterType(std::string_view text);

int MaxLength(int registerType);
bool SupportsFunction(int registerType, FunctionButton button);

// The register number after the prefix, converted as far as it is octal (0 when
// empty); the row labels of the data table count from it.
std::uint32_t startRegisterNumber(std::string_view text, int registerType);

// Messages shared with the input check and the start-address dialog.
std::string registerNumberMessage(const RegisterType& type);
extern const char* const kShortStartAddressMessage;

}  // namespace tessor
