#include "row_format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "platform/udp_socket.h"

namespace orvane {
namespace {

// Texts appended for the low five bits of statusFlags, in bit order.
constexpr std::array<std::string_view, 5> kFlagTexts{
    "物理地址错误(警告)", "IP冲突(致命)", "FPGA程序出错.", "FPGA程序出错..", "手动复位状态"};

// Serial status codes 1 to 5; "%d" takes the code.
constexpr std::array<std::string_view, 5> kSerialStatusFormats{
    "命令无法执行(致命)%d", "设定错误(致命)%d", "IP冲突(致命)%d", "物理地址错误(警告)%d",
    "状态无法识别%d"};
constexpr std::array<int, 5> kSerialStatusLevels{2, 2, 2, 1, 2};

StatusCell networkStatus(const ModuleRecord& record) {
  static constexpr std::array<std::string_view, 3> kBase{"未知", "BOOTLOAD", "系统程序"};
  if (record.runMode >= kBase.size()) return {};
  StatusCell cell{std::string(kBase[record.runMode]), 0};
  for (unsigned bit = 0; bit < kFlagTexts.size(); ++bit) {
    if (!(record.statusFlags & (1u << bit))) continue;
    cell.text += "-";
    cell.text += kFlagTexts[bit];
    if (bit == 0) cell.level = 1;
    else if (bit <= 3) cell.level = 2;
    else cell.level = cell.level == 2 ? 2 : 1;
  }
  return cell;
}

}  // namespace

std::optional<StatusCell> serialStatusCell(unsigned code) {
  if (code == 0) return StatusCell{"----正常----", 0};
  if (code > kSerialStatusFormats.size()) return std::nullopt;
  std::string format(kSerialStatusFormats[code - 1]);
  const auto at = format.find("%d");
  format.replace(at, 2, std::to_string(code & 0xFF));
  return StatusCell{format, kSerialStatusLevels[code - 1]};
}

namespace {

StatusCell serialStatus(const ModuleRecord& record) {
  return serialStatusCell(record.statusFlags).value_or(StatusCell{});
}

}  // namespace

const std::array<ListColumn, kColumnCount> kModuleListColumns{{
    {"MAC 地址", 150},
    {"模块类型", 150},
    {"IP地址", 100},
    {"ID", 50},
    {"名称", 150},
    {"描述", 200},
    {"状态", 100},
    {"版本", 80},
}};

Rgb levelColour(int level) {
  if (level >= 2) return {255, 0, 0};
  if (level == 1) return {255, 255, 0};
  return {255, 255, 255};
}

std::string macText(const MacAddress& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X.%02X.%02X.%02X.%02X.%02X", mac[0], mac[1], mac[2],
                mac[3], mac[4], mac[5]);
  return text;
}

std::string dashedMacText(const MacAddress& mac) {
  auto text = macText(mac);
  std::replace(text.begin(), text.end(), '.', '-');
  return text;
}

std::optional<MacAddress> parseMacText(std::string_view text) {
  MacAddress mac{};
  const char* p = text.data();
  const char* end = p + text.size();
  for (std::size_t i = 0; i < mac.size(); ++i) {
    if (i > 0) {
      if (p == end || *p != '.') return std::nullopt;
      ++p;
    }
    unsigned value = 0;
    const auto [next, ec] = std::from_chars(p, end, value, 16);
    if (ec != std::errc() || next - p > 2) return std::nullopt;
    mac[i] = static_cast<std::uint8_t>(value);
    p = next;
  }
  if (p != end) return std::nullopt;
  return mac;
}

std::string paddedIpText(const Ipv4Bytes& ip) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d.%02d", ip[0], ip[1], ip[2], ip[3]);
  return text;
}

std::string rowKeyText(const ModuleRecord& record) {
  auto text = macText(record.mac);
  if (!record.interfaceName.empty()) text += "%" + record.interfaceName;
  return text;
}

std::optional<ModuleAddress> parseRowKey(std::string_view text) {
  const auto percent = text.find('%');
  const auto mac = parseMacText(text.substr(0, percent));
  if (!mac) return std::nullopt;
  if (percent == std::string_view::npos) return ModuleAddress(*mac);
  return ModuleAddress(*mac, std::string(text.substr(percent + 1)));
}

std::string dottedIpText(const Ipv4Bytes& ip) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", ip[0], ip[1], ip[2], ip[3]);
  return text;
}

std::optional<Ipv4Bytes> parseDottedIp(std::string_view text) {
  const auto ip = platform::parseIpv4(text);
  if (!ip) return std::nullopt;
  return Ipv4Bytes{static_cast<std::uint8_t>(*ip >> 24), static_cast<std::uint8_t>(*ip >> 16),
                   static_cast<std::uint8_t>(*ip >> 8), static_cast<std::uint8_t>(*ip)};
}

StatusCell statusCell(const ModuleRecord& record, int protocolType) {
  return protocolType == kProtocolSerial ? serialStatus(record) : networkStatus(record);
}

int recolourLevel(const ModuleRecord& record, int protocolType) {
  const unsigned flags = record.statusFlags;
  if (protocolType == kProtocolSerial) return flags == 0 ? 0 : flags == 4 ? 1 : 2;
  const bool fatal = flags & (kFlagIpConflict | kFlagFpgaError1 | kFlagFpgaError2);
  if (flags & kFlagManualReset) return fatal ? 2 : 1;
  return fatal ? 2 : (flags & kFlagMacError) ? 1 : 0;
}

std::string idText(const ModuleRecord& record, int protocolType) {
  // moduleId is unsigned 32-bit and shown as such: a value read from a module
  // above 2^31 never turns negative.
  if (protocolType != kProtocolSerial && record.fixedId != 0) return std::to_string(record.fixedId);
  return std::to_string(record.moduleId);
}

std::string versionText(const ModuleRecord& record, int protocolType) {
  const auto& v = record.versions.firmwareVersion;
  char text[24];
  if (protocolType == kProtocolSerial)
    std::snprintf(text, sizeof text, "V%d.%02d", v[1], v[0]);
  else
    std::snprintf(text, sizeof text, "V%d.%d.%d.%d", v[3], v[2], v[1], v[0]);
  return text;
}

ModuleRow formatModuleRow(const ModuleRecord& record, int protocolType) {
  ModuleRow row;
  auto& c = row.columns;
  c[kColumnMac] = macText(record.mac);
  c[kColumnModel] = protocolType == kProtocolSerial ? "P-TRAX100" : "M4-TRAX100";
  c[kColumnIp] = paddedIpText(record.currentIp);
  if (record.runMode != kRunModeBootLoader) {
    c[kColumnId] = idText(record, protocolType);
    c[kColumnName] = nameUtf8(record);
    c[kColumnDescription] = descriptionUtf8(record);
  }
  auto status = statusCell(record, protocolType);
  c[kColumnStatus] = std::move(status.text);
  row.level = status.level;
  c[kColumnVersion] = versionText(record, protocolType);
  return row;
}

}  // namespace orvane
