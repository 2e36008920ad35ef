#pragma once
// The command line's text. Arguments arrive in the character set of the
// user's locale (GBK on a Chinese Windows-style setup, UTF-8 on most
// others); inside, text is UTF-8. Nothing is ever replaced by "?": an
// argument that is not valid in its character set, and a module text that
// code page 936 cannot hold, are refused with what is wrong in them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::cli {

struct Utf8Arguments {
  std::vector<std::string> args;
  std::string error;  // empty when every argument converted
};

// `charset` as platform::localeCharset() names it. The C and POSIX locales
// (ASCII) take the bytes as UTF-8, as scripts run without a locale expect.
Utf8Arguments argumentsInUtf8(const std::vector<std::string>& raw, const std::string& charset);

// The first character of `utf8` that code page 936 (GBK) has no code for,
// named for a message: "“😀” (U+1F600)". Nothing when all of it fits.
std::optional<std::string> characterOutsideGbk(std::string_view utf8);

}  // namespace orvane::cli
