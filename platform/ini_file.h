#pragma once
// Private-profile (INI) files with the Windows semantics: sections and keys
// compared case-insensitively, everything else in the file kept as it stands,
// the file created when missing (but never its directory), CRLF tolerated.
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The value of [section] key, or `fallback` when the file, section or key is
// missing. At most `maxChars` bytes are returned (0 = no limit).
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback,
                              std::size_t maxChars = 0);

// Reads an integer the Windows way: optional sign, then leading decimal digits;
// a value without digits reads as 0; a missing key reads as `fallback`.
int readProfileInt(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, int fallback);

// Sets [section] key=value, adding the section or key when missing.
// Returns false when the file cannot be written.
bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

// The Windows integer parse on its own, for values read elsewhere.
int parseProfileInt(std::string_view text);

}  // namespace platform
