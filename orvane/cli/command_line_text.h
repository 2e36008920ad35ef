#pragma once
// The command line's text. Arguments arrive in the character set of the
// user's locale (GBK on a Chinese setup, UTF-8 on most others); inside, text
// is UTF-8. Nothing is ever replaced by "?": an argument that is not valid
// in its character set, and a module text that code page 936 cannot hold,
// are refused with what is wrong in them.
#include <optional>
#include <string>
#include <string_view>

namespace orvane::cli {

struct TextArgument {
  std::optional<std::string> utf8;  // nothing when refused
  std::string error;                // why: "不是有效的 GBK 文本（第 3 个字节）"
};

// A text argument (a name, a description) in `charset`, the locale's as
// platform::localeCharset() names it. The C and POSIX locales (ASCII) take
// the bytes as UTF-8, as scripts run without a locale expect. Paths stay as
// they came: they are the file system's bytes.
TextArgument textArgumentInUtf8(std::string_view argument, const std::string& charset);

// The first character of `utf8` that code page 936 (GBK) has no code for,
// named for a message: "“😀” (U+1F600)". Nothing when all of it fits.
std::optional<std::string> characterOutsideGbk(std::string_view utf8);

}  // namespace orvane::cli
