#pragma once
// The text of a private-profile (INI) file, without the file: sections and
// keys compared case-insensitively, the first of duplicate keys is the one
// read and written, and everything else in the text kept as it stands.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The value of [section] key, one pair of matching quotes removed; nothing
// when the section or key is absent.
std::optional<std::string> findProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// The text with [section] key=value set: the key replaced where it stands,
// added after the section's last line, or added with a new section at the
// end. Lines end as the text's first line does (CRLF for a text without one).
std::string setProfileValue(std::string_view text, std::string_view section,
                            std::string_view key, std::string_view value);

// Reads an integer the Windows way: optional sign, then leading decimal
// digits accumulated in 32 bits without sign (wrapping on overflow); a value
// without digits reads as 0.
int parseProfileInt(std::string_view text);

}  // namespace platform
