#pragma once
// Values wider or other than the window's 16-bit words: signed words, and
// 32-bit integers and floats in two consecutive registers, in either word order.
// Plain 16-bit words (u16) are not handled here: they go through the data
// table's own formatting and checks.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tessor::cli {

enum class ValueType { U16, S16, U32, S32, F32 };
enum class WordOrder { HighFirst, LowFirst };

struct ValueLayout {
  ValueType type = ValueType::U16;
  WordOrder order = WordOrder::HighFirst;
};

std::optional<ValueType> parseValueType(std::string_view text);  // "u16", "s16", ...
std::optional<WordOrder> parseWordOrder(std::string_view text);  // "high-first", "low-first"
int wordsPerValue(ValueType type);

// One value as a number for JSON: integers exactly, floats as they are.
struct ValueNumber {
  bool isFloat = false;
  std::int64_t integer = 0;
  double real = 0;
};

// `words` holds wordsPerValue(type) words in register order.
ValueNumber valueOfWords(const ValueLayout& layout, std::span<const std::uint16_t> words);
// Printed in `base` (8, 10, 16; signed values with a leading "-"); floats always
// in decimal.
std::string valueText(const ValueLayout& layout, std::span<const std::uint16_t> words, int base);

// A typed value in `base` (floats in decimal) as its words in register order,
// or the message that refuses it.
struct WordsOfText {
  std::uint16_t words[2]{};
  std::string error;
};
WordsOfText wordsOfText(const ValueLayout& layout, const std::string& text, int base);

}  // namespace tessor::cli
