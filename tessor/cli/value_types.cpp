#include "tessor/cli/value_types.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "tessor/core/number_text.h"

namespace tessor::cli {

namespace {
std::uint32_t joined(const ValueLayout& layout, std::span<const std::uint16_t> w) {
  const bool high = layout.order == WordOrder::HighFirst;
  return static_cast<std::uint32_t>(w[high ? 0 : 1]) << 16 | w[high ? 1 : 0];
}

void split(const ValueLayout& layout, std::uint32_t value, std::uint16_t* out) {
  const auto hi = static_cast<std::uint16_t>(value >> 16);
  const auto lo = static_cast<std::uint16_t>(value & 0xFFFF);
  const bool high = layout.order == WordOrder::HighFirst;
  out[0] = high ? hi : lo;
  out[1] = high ? lo : hi;
}

const char* baseName(int base) {
  switch (base) {
    case 8: return "八进制";
    case 16: return "十六进制";
    default: return "十进制";
  }
}

struct Range {
  std::int64_t low, high;
};
Range rangeOf(ValueType type) {
  switch (type) {
    case ValueType::S16: return {-32768, 32767};
    case ValueType::U32: return {0, 4294967295LL};
    case ValueType::S32: return {-2147483648LL, 2147483647LL};
    default: return {0, 65535};
  }
}

std::string refusal(const std::string& text, const std::string& what) {
  return "\n数值错误: " + text + "\n" + what + "\n\n请重新输入！";
}
}  // namespace

std::optional<ValueType> parseValueType(std::string_view text) {
  if (text == "u16") return ValueType::U16;
  if (text == "s16") return ValueType::S16;
  if (text == "u32") return ValueType::U32;
  if (text == "s32") return ValueType::S32;
  if (text == "f32") return ValueType::F32;
  return std::nullopt;
}

std::optional<WordOrder> parseWordOrder(std::string_view text) {
  if (text == "high-first") return WordOrder::HighFirst;
  if (text == "low-first") return WordOrder::LowFirst;
  return std::nullopt;
}

int wordsPerValue(ValueType type) {
  return type == ValueType::U16 || type == ValueType::S16 ? 1 : 2;
}

ValueNumber valueOfWords(const ValueLayout& layout, std::span<const std::uint16_t> words) {
  switch (layout.type) {
    case ValueType::S16: return {false, static_cast<std::int16_t>(words[0]), 0};
    case ValueType::U32: return {false, joined(layout, words), 0};
    case ValueType::S32: return {false, static_cast<std::int32_t>(joined(layout, words)), 0};
    case ValueType::F32: return {true, 0, std::bit_cast<float>(joined(layout, words))};
    default: return {false, words[0], 0};
  }
}

std::string valueText(const ValueLayout& layout, std::span<const std::uint16_t> words, int base) {
  const ValueNumber n = valueOfWords(layout, words);
  if (n.isFloat) {
    char text[48];
    std::snprintf(text, sizeof text, "%.9g", n.real);
    return text;
  }
  const std::uint64_t magnitude = n.integer < 0 ? static_cast<std::uint64_t>(-n.integer)
                                                : static_cast<std::uint64_t>(n.integer);
  return (n.integer < 0 ? "-" : "") + formatNumber(magnitude, base);
}

WordsOfText wordsOfText(const ValueLayout& layout, const std::string& text, int base) {
  WordsOfText out;
  if (layout.type == ValueType::F32) {
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value)) {
      out.error = refusal(text, "f32 数值为十进制数 (例如 1.5、-2e3)");
      return out;
    }
    split(layout, std::bit_cast<std::uint32_t>(value), out.words);
    return out;
  }
  const bool negative = !text.empty() && text.front() == '-';
  const std::string_view digits = std::string_view(text).substr(negative ? 1 : 0);
  const Conversion c = convertNumber(toUpper(digits), base);
  const Range range = rangeOf(layout.type);
  const std::int64_t value = negative ? -static_cast<std::int64_t>(std::min<std::uint64_t>(c.value, 1ULL << 40))
                                      : static_cast<std::int64_t>(std::min<std::uint64_t>(c.value, 1ULL << 40));
  if (digits.empty() || !c.complete || value < range.low || value > range.high) {
    out.error = refusal(text, std::string("数值为") + baseName(base) + "数，范围 " +
                                  std::to_string(range.low) + " - " + std::to_string(range.high) +
                                  " [十进制]");
    return out;
  }
  if (wordsPerValue(layout.type) == 1)
    out.words[0] = static_cast<std::uint16_t>(value);
  else
    split(layout, static_cast<std::uint32_t>(value), out.words);
  return out;
}

}  // namespace tessor::cli
