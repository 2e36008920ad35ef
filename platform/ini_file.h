#pragma once
// Private-profile (INI) files with the Windows semantics: sections and keys
// compared case-insensitively, everything else in the file kept as it stands,
// the file created when missing (but never its directory), CRLF tolerated.
// A file that cannot be read (no permission, not a regular file) reads as
// missing, as on Windows; callers that must tell the difference ask
// readRegularFile (whole_file.h) first.
#include <filesystem>
#include <string>
#include <string_view>

#include "ini_text.h"

namespace platform {

// The value of [section] key, or `fallback` when the file, section or key is
// missing. At most `maxChars` bytes are returned (0 = no limit).
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback,
                              std::size_t maxChars = 0);

// Reads an integer the Windows way (parseProfileInt); a missing key reads as
// `fallback`.
int readProfileInt(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, int fallback);

// Sets [section] key=value, adding the section or key when missing, and keeps
// the file's line ends and permissions. The file is replaced in one step, and
// writers of one file take turns, in this process and between processes (a
// lock on "<name>.lock" beside it), so a reader never finds a key missing and
// writers of different keys keep each other's. Returns false when the file
// cannot be read or written.
bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace platform
