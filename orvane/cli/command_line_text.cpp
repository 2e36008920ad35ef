#include "command_line_text.h"

#include <algorithm>
#include <cstdio>

#include "platform/text_encoding.h"

namespace orvane::cli {
namespace {

bool isAscii(const std::string& charset) {
  return charset == "ANSI_X3.4-1968" || charset == "ASCII" || charset == "US-ASCII";
}

std::size_t sequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

std::string hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

}  // namespace

TextArgument textArgumentInUtf8(std::string_view argument, const std::string& charset) {
  const std::string from = isAscii(charset) ? "UTF-8" : charset;
  auto converted = platform::convertText(argument, from.c_str(), "UTF-8");
  if (converted.text) return {std::move(converted.text), {}};
  return {std::nullopt, "不是有效的 " + from + " 文本（第 " + std::to_string(converted.failedAt + 1) +
                            " 个字节）"};
}

std::optional<std::string> characterOutsideGbk(std::string_view utf8) {
  const auto gbk = platform::convertText(utf8, "UTF-8", "GBK");
  if (gbk.text) return std::nullopt;
  const auto at = gbk.failedAt;
  if (at >= utf8.size()) return "?";
  const auto lead = static_cast<unsigned char>(utf8[at]);
  const auto length = std::min(sequenceLength(lead), utf8.size() - at);
  const auto sequence = utf8.substr(at, length);
  // The code point, for a character the terminal cannot show.
  unsigned code = length == 1 ? lead : lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i)
    code = (code << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3Fu);
  const auto valid = platform::convertText(sequence, "UTF-8", "UTF-32LE").text.has_value();
  if (!valid) return "字节 0x" + hex(lead, 2) + "（不是有效的 UTF-8）";
  return "“" + std::string(sequence) + "” (U+" + hex(code, 4) + ")";
}

}  // namespace orvane::cli
