#pragma once
// Starting another program of the suite that lives on by itself: the editor
// hands over to Tessor this way and never waits for it, and Tessor outlives
// the editor.
#include <filesystem>
#include <string_view>

namespace platform {

// The file name this platform gives the program `baseName` ("tessor" here,
// "Tessor.exe" on Windows).
std::filesystem::path executableFileName(std::string_view baseName);

// Starts `program` with no arguments, its working directory `directory`, in
// a session of its own so that it neither waits for nor ends with the
// caller. Returns once the program has been started (or failed to); false
// when it could not be started.
bool startDetached(const std::filesystem::path& program, const std::filesystem::path& directory);

}  // namespace platform
