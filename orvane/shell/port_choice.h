#pragma once
// What the port dialog (CDlgPort) lists and how it reads the choice back.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// "COMn" for each port number, sorted as text like the dialog's sorted list
// ("COM10" before "COM2").
std::vector<std::string> portEntries(const std::vector<int>& ports);

// The entry selected when the dialog opens: the first whose text after its
// first three characters reads as `current`, else the first; -1 when empty.
int initialPortEntry(const std::vector<std::string>& entries, int current);

// The port number of a chosen entry: the text after its first three
// characters read as a base-10 integer (leading digits; none read as 0).
// Nothing for an entry of three characters or fewer, which leaves the port
// number as it was.
std::optional<int> portOfEntry(std::string_view entry);

}  // namespace orvane
