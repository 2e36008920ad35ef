#pragma once
// What the editor asks of the operating system at start-up and undoes at
// exit: the firewall authorisation of the program (a pair returning the
// system's error numbers, 0 for success) and the program directory on the
// process's search path.
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Adds the program to the firewall's authorised applications under `name`,
// unless it is listed and enabled already. Linux has no such list: nothing
// to do, and it succeeds.
int authoriseInFirewall(const std::filesystem::path& program, std::string_view name);
// Removes it again when it is listed and enabled.
int removeFromFirewall(const std::filesystem::path& program);

// Appends the separator, `directory` and the directory separator to the
// process's PATH, whatever its length. False when PATH cannot be set;
// `appended` is the text that was to be appended.
bool appendToSearchPath(const std::filesystem::path& directory, std::string& appended);

}  // namespace platform
