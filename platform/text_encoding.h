#pragma once
// Text from one character set to another, refusing what cannot be converted
// instead of replacing it (gbk.h replaces, for text that must be shown
// whatever it holds).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct ConvertedText {
  std::optional<std::string> text;  // nothing when the conversion failed
  // On failure: the offset in the input of the first sequence that is not
  // valid in `from` or has no equivalent in `to`, or the input's size when
  // the character set is not known.
  std::size_t failedAt = 0;
};

// Charsets as iconv names them ("UTF-8", "GBK", ...).
ConvertedText convertText(std::string_view text, const char* from, const char* to);

}  // namespace platform
