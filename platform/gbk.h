#pragma once
// Text in code page 936 (GBK), the single-byte-string form the modules, the
// PLC and the hand-off files carry, converted to and from the UTF-8 we use inside.
#include <string>
#include <string_view>

namespace platform {

// Characters that cannot be converted become '?'.
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

// Length of the longest prefix of `gbk` no longer than `maxBytes` that does not
// end in the first half of a double-byte character.
std::size_t gbkSafePrefixLength(std::string_view gbk, std::size_t maxBytes);

}  // namespace platform
