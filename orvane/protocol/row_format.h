#pragma once
// The one formatter of the module list: the eight column texts of a row, its
// status text and colour level on both routes, the level used when rows are
// recoloured after a sort, and the MAC text that ties a row to its record.
// The list view and orvane-cli both use it. Texts are UTF-8.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "orvane/protocol/module_record.h"

namespace orvane {

inline constexpr int kProtocolTcpIp = 0;   // ProtocolType: over the network
inline constexpr int kProtocolSerial = 1;  // ProtocolType: through the PLC

inline constexpr int kColumnCount = 8;
enum Column : int {
  kColumnMac = 0,
  kColumnModel = 1,
  kColumnIp = 2,
  kColumnId = 3,
  kColumnName = 4,
  kColumnDescription = 5,
  kColumnStatus = 6,
  kColumnVersion = 7,
};

struct ListColumn {
  std::string_view header;
  int width;  // pixels
};
extern const std::array<ListColumn, kColumnCount> kModuleListColumns;

// Colour levels of a row: 0 white, 1 yellow (warning), 2 red (fatal).
struct Rgb {
  std::uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
Rgb levelColour(int level);

struct StatusCell {
  std::string text;
  int level = 0;
  friend bool operator==(const StatusCell&, const StatusCell&) = default;
};

struct ModuleRow {
  std::array<std::string, kColumnCount> columns;
  int level = 0;  // colour level from the status text
};

// "%02x" per byte, separated by ".", in upper case: 00.1A.2B.3C.4D.5E.
std::string macText(const MacAddress& mac);
// The same with "-": 00-1A-2B-3C-4D-5E, as settings files and backup names write it.
std::string dashedMacText(const MacAddress& mac);
// Six hexadecimal fields of one or two digits separated by "."; nothing otherwise.
std::optional<MacAddress> parseMacText(std::string_view text);

// What ties a list row to its record: the MAC text and, for a module that
// answered on a named interface, "%" and the name ("00.1A.2B.3C.4D.5E%eth1",
// the way an address names its interface elsewhere). The list keeps it with
// the row; the MAC column shows the MAC text alone.
std::string rowKeyText(const ModuleRecord& record);
// A MAC text alone is the address of the first record with that MAC.
std::optional<ModuleAddress> parseRowKey(std::string_view text);

// "%02d.%02d.%02d.%02d": 192.168.1.5 shows as 192.168.01.05.
std::string paddedIpText(const Ipv4Bytes& ip);
// "%d.%d.%d.%d".
std::string dottedIpText(const Ipv4Bytes& ip);
// A dotted IPv4 address as platform::parseIpv4 reads it; nothing otherwise.
std::optional<Ipv4Bytes> parseDottedIp(std::string_view text);

StatusCell statusCell(const ModuleRecord& record, int protocolType);
// A serial status code 0 to 5 as the list shows it (and a serial write reports
// it); nothing above 5.
std::optional<StatusCell> serialStatusCell(unsigned code);
int recolourLevel(const ModuleRecord& record, int protocolType);

// Column 3: the fixed ID when there is one (network route), else moduleId.
std::string idText(const ModuleRecord& record, int protocolType);
// Column 7: "V%d.%d.%d.%d" (network) or "V%d.%02d" (serial) from firmwareVersion.
std::string versionText(const ModuleRecord& record, int protocolType);

// All eight columns; ID, name and description stay empty in the boot loader.
ModuleRow formatModuleRow(const ModuleRecord& record, int protocolType);

}  // namespace orvane
