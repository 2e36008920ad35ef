#pragma once
// What the serial port dialog ("配置通信端口") offers and takes back: the
// COMn names of the COM map, sorted as the drop-down list sorts its texts,
// the entry selected for the current port, and the port an entry names.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct PortChoice {
  std::vector<std::string> entries;  // "COM1", "COM10", "COM2", ...
  int selected = -1;                 // -1 when the list is empty
};

// The entries for `ports` (platform::availableComPorts() in the dialog),
// with the first entry naming `current` selected, else the first entry.
PortChoice portChoice(int current, const std::vector<int>& ports);

// The port of a chosen entry: its text after the first three characters
// read as a base-10 integer (its leading digits; none read as 0). Nothing
// for a text of three characters or fewer: the port number then stays as it
// was.
std::optional<int> portOfEntry(std::string_view entry);

}  // namespace orvane
