#pragma once
// How the dialogs read what is typed into their edits. The edits hold wide
// text, so lengths and positions count UTF-16 code units, as the edit
// control (and Qt's QString) counts characters. Numbers are read the way the
// C library reads them: leading white space, an optional sign, then digits
// up to the first other character; no digits reads as 0.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::forms {

// UTF-8 to UTF-16; a byte that does not start a valid sequence becomes one
// U+FFFD unit, so every input has a length.
std::u16string toUtf16(std::string_view utf8);
std::size_t characterCount(std::string_view utf8);

// A signed 32-bit integer; values beyond the range give INT32_MAX or
// INT32_MIN.
std::int32_t readInt(std::u16string_view text);
std::int32_t readInt(std::string_view utf8);

// An unsigned 32-bit integer: a minus sign negates modulo 2^32 ("-1" is
// 4294967295); a magnitude beyond 4294967295 gives 4294967295.
std::uint32_t readUnsigned(std::u16string_view text);
std::uint32_t readUnsigned(std::string_view utf8);

}  // namespace orvane::forms
