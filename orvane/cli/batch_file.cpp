#include "batch_file.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "command_line_text.h"
#include "csv_records.h"
#include "mac_argument.h"
#include "orvane/forms/advanced_form.h"
#include "orvane/forms/basic_form.h"
#include "orvane/protocol/row_format.h"

namespace orvane::cli {
namespace {

enum class Column { Mac, Id, Name, Description, Dhcp, Ip, Mask, Gateway, MasterTimeout, SlaveTimeout };

constexpr std::array<std::pair<std::string_view, Column>, 10> kColumns{{
    {"mac", Column::Mac},
    {"id", Column::Id},
    {"name", Column::Name},
    {"description", Column::Description},
    {"dhcp", Column::Dhcp},
    {"ip", Column::Ip},
    {"mask", Column::Mask},
    {"gateway", Column::Gateway},
    {"master-timeout", Column::MasterTimeout},
    {"slave-timeout", Column::SlaveTimeout},
}};

constexpr std::string_view kColumnList =
    "mac, id, name, description, dhcp, ip, mask, gateway, master-timeout, slave-timeout";

std::string_view columnName(Column column) {
  for (const auto& [name, c] : kColumns)
    if (c == column) return name;
  return {};
}

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

std::string lowered(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool digitsOnly(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<bool> automaticAddressing(std::string_view text) {
  const auto word = lowered(std::string(text));
  for (const char* yes : {"1", "yes", "y", "true", "auto", "是"})
    if (word == yes) return true;
  for (const char* no : {"0", "no", "n", "false", "manual", "否"})
    if (word == no) return false;
  return std::nullopt;
}

// Reads the lines one after the other; the first refusal ends the reading.
class BatchReader {
 public:
  BatchFile read(std::string_view bytes);

 private:
  bool readHeader(const CsvRecord& header);
  bool readLine(const CsvRecord& record);
  bool readCell(Column column, std::string_view cell, BatchLine& line);
  bool readText(Column column, std::string_view cell, std::optional<std::string>& text);
  bool checkLine(const BatchLine& line);
  bool refuse(int line, std::string_view column, std::string text, bool dialog = false);

  BatchFile file_;
  std::vector<Column> columns_;
  std::map<MacAddress, int> macLines_;
  int currentLine_ = 0;
};

BatchFile BatchReader::read(std::string_view bytes) {
  auto text = decodeBatchText(bytes);
  file_.encoding = text.encoding;
  if (!text.error.empty()) {
    refuse(text.errorLine, {}, text.error);
    return std::move(file_);
  }
  const auto csv = splitCsv(text.utf8);
  if (!csv.error.empty()) {
    refuse(csv.errorLine, {}, csv.error);
    return std::move(file_);
  }
  if (csv.records.empty()) {
    refuse(1, {}, "文件中没有标题行（mac 及要设置的列）");
    return std::move(file_);
  }
  if (!readHeader(csv.records.front())) return std::move(file_);
  for (std::size_t i = 1; i < csv.records.size(); ++i)
    if (!readLine(csv.records[i])) return std::move(file_);
  return std::move(file_);
}

bool BatchReader::readHeader(const CsvRecord& header) {
  for (const auto& field : header.fields) {
    const auto name = lowered(trimmed(field));
    const auto known = std::find_if(kColumns.begin(), kColumns.end(),
                                    [&](const auto& c) { return c.first == name; });
    if (known == kColumns.end())
      return refuse(header.line, field, "未知的列（可用的列: " + std::string(kColumnList) + "）");
    if (std::find(columns_.begin(), columns_.end(), known->second) != columns_.end())
      return refuse(header.line, field, "此列出现了两次");
    columns_.push_back(known->second);
  }
  if (columns_.front() != Column::Mac)
    return refuse(header.line, header.fields.front(), "第一列应为 mac");
  return true;
}

bool BatchReader::readLine(const CsvRecord& record) {
  currentLine_ = record.line;
  if (record.fields.size() != columns_.size())
    return refuse(record.line, {}, "有 " + std::to_string(record.fields.size()) + " 个字段，标题行有 " +
                                       std::to_string(columns_.size()) + " 个");
  BatchLine line;
  line.line = record.line;
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (!readCell(columns_[i], record.fields[i], line)) return false;
  if (line.basic.automatic && (line.basic.ip || line.basic.mask || line.basic.gateway))
    return refuse(record.line, "dhcp", "自动获取IP地址时不能同时给出 ip、mask、gateway");
  if (!checkLine(line)) return false;
  file_.lines.push_back(std::move(line));
  return true;
}

// A cell as its column reads it; an empty cell gives nothing.
bool BatchReader::readCell(Column column, std::string_view cell, BatchLine& line) {
  if (column == Column::Name) return readText(column, cell, line.basic.name);
  if (column == Column::Description) return readText(column, cell, line.basic.description);
  const auto value = trimmed(cell);
  const auto name = columnName(column);
  if (value.empty() && column != Column::Mac) return true;
  switch (column) {
    case Column::Mac:
      if (const auto mac = parseMacArgument(value)) {
        line.mac = *mac;
        const auto [earlier, fresh] = macLines_.emplace(*mac, currentLine_);
        if (fresh) return true;
        return refuse(currentLine_, name, "MAC 地址 " + macText(*mac) + " 已在第 " +
                                              std::to_string(earlier->second) + " 行出现");
      }
      return refuse(currentLine_, name,
                    "无效的 MAC 地址: " + value + " (应为 00-11-22-33-44-55 或 00.11.22.33.44.55)");
    case Column::Id:
      if (!digitsOnly(value)) return refuse(currentLine_, name, "模块ID只能包含数字");
      line.basic.id = value;
      return true;
    case Column::Dhcp:
      if (const auto automatic = automaticAddressing(value)) {
        line.basic.automatic = *automatic;
        line.basic.manual = !*automatic;
        return true;
      }
      return refuse(currentLine_, name, "应为 yes（自动获取IP地址）或 no（手动设置IP地址）: " + value);
    case Column::Ip:
    case Column::Mask:
    case Column::Gateway: {
      const auto ip = parseDottedIp(value);
      if (!ip) return refuse(currentLine_, name, "无效的IP地址 (应为 a.b.c.d): " + value);
      (column == Column::Ip ? line.basic.ip : column == Column::Mask ? line.basic.mask : line.basic.gateway) = ip;
      return true;
    }
    case Column::MasterTimeout:
      line.advanced.master = value;
      return true;
    case Column::SlaveTimeout:
      line.advanced.slave = value;
      return true;
    default:
      return true;
  }
}

bool BatchReader::readText(Column column, std::string_view cell, std::optional<std::string>& text) {
  if (cell.empty()) return true;
  if (const auto character = characterOutsideGbk(cell))
    return refuse(currentLine_, columnName(column), "字符 " + *character + " 无法以 GBK (代码页 936) 保存");
  text = std::string(cell);
  return true;
}

// The dialogs' OK checks in their order: the basic settings dialog's, then
// the advanced one's.
bool BatchReader::checkLine(const BatchLine& line) {
  const auto& b = line.basic;
  const auto& a = line.advanced;
  const std::pair<bool, forms::FormCheck (*)(const BatchLine&)> checks[] = {
      {b.name.has_value(), [](const BatchLine& l) { return forms::checkName(*l.basic.name); }},
      {b.description.has_value(), [](const BatchLine& l) { return forms::checkDescription(*l.basic.description); }},
      {b.id.has_value(), [](const BatchLine& l) { return forms::checkModuleId(*l.basic.id, kProtocolTcpIp); }},
      {b.ip.has_value(), [](const BatchLine& l) { return forms::checkIpAddress(*l.basic.ip); }},
      {a.master.has_value(), [](const BatchLine& l) { return forms::checkMasterTimeout(*l.advanced.master); }},
      {a.slave.has_value(), [](const BatchLine& l) { return forms::checkSlaveTimeout(*l.advanced.slave); }},
  };
  for (const auto& [given, check] : checks) {
    if (!given) continue;
    const auto result = check(line);
    if (result.ok()) continue;
    std::string_view column;
    switch (result.field) {
      case forms::FormField::Name: column = "name"; break;
      case forms::FormField::Description: column = "description"; break;
      case forms::FormField::ModuleId: column = "id"; break;
      case forms::FormField::IpAddress: column = "ip"; break;
      case forms::FormField::MasterTimeout: column = "master-timeout"; break;
      default: column = "slave-timeout"; break;
    }
    return refuse(line.line, column, std::string(result.message), true);
  }
  return true;
}

bool BatchReader::refuse(int line, std::string_view column, std::string text, bool dialog) {
  file_.lines.clear();
  file_.refusedLine = line;
  file_.refusedColumn = std::string(column);
  file_.refusal = std::move(text);
  file_.dialogRefusal = dialog;
  return false;
}

}  // namespace

BatchFile readBatchFile(std::string_view bytes) { return BatchReader().read(bytes); }

}  // namespace orvane::cli
