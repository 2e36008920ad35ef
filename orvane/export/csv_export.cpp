#include "csv_export.h"

#include <cstdio>
#include <fstream>
#include <string_view>
#include <system_error>

#include "export_texts.h"
#include "orvane/protocol/user_texts.h"
#include "platform/gbk.h"

namespace orvane {
namespace {

// The header of the file: the list's headers, "MAC地址" without its space.
constexpr std::array<std::string_view, kColumnCount> kHeader{
    "MAC地址", "模块类型", "IP地址", "ID", "名称", "描述", "状态", "版本"};

bool isFreeText(int column) { return column == kColumnName || column == kColumnDescription; }

bool needsQuoting(std::string_view field) {
  return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

std::string quoted(std::string_view field) {
  std::string out = "\"";
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

// As a file written in text mode on Windows: every line feed, the one that
// ends the line and those inside a quoted field, becomes CR LF.
std::string textModeLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

template <typename Fields>
std::string csvLine(const Fields& fields, bool quoteFreeText) {
  std::string line;
  for (int column = 0; column < kColumnCount; ++column) {
    const std::string_view field = fields[static_cast<std::size_t>(column)];
    if (quoteFreeText && isFreeText(column) && needsQuoting(field))
      line += quoted(field);
    else
      line += field;
    line += column + 1 < kColumnCount ? "," : "\n";
  }
  return platform::utf8ToGbk(textModeLineEnds(line));
}

// Every directory along the path that is missing; failures show later, when
// the file cannot be opened.
void createParentDirectories(const std::filesystem::path& file) {
  std::error_code ignored;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
}

bool removeExisting(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, error))) return true;
  return std::filesystem::remove(file, error) && !error;
}

}  // namespace

std::string csvFileBytes(std::span<const ExportRow> rows) {
  std::string bytes = csvLine(kHeader, false);
  for (const auto& row : rows) bytes += csvLine(row, true);
  return bytes;
}

std::string defaultExportFileName(const std::tm& t) {
  char name[64];
  std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d.csv", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return name;
}

ExportOutcome writeCsvFile(const std::filesystem::path& file, std::span<const ExportRow> rows) {
  createParentDirectories(file);
  if (!removeExisting(file)) return ExportOutcome::OverwriteFailed;
  std::ofstream out(file, std::ios::binary);
  if (!out) return ExportOutcome::OpenFailed;
  const auto bytes = csvFileBytes(rows);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return out ? ExportOutcome::Written : ExportOutcome::OpenFailed;
}

std::string exportFailureText(ExportOutcome outcome, const std::filesystem::path& file) {
  switch (outcome) {
    case ExportOutcome::OverwriteFailed:
      return std::string(texts::kOverwriteFailed);
    case ExportOutcome::OpenFailed:
      return file.string() + std::string(texts::kOpenFailedSuffix);
    case ExportOutcome::Written:
      break;
  }
  return {};
}

ExportOutcome exportCsv(const std::filesystem::path& file, std::span<const ExportRow> rows,
                        Prompt& prompt) {
  const auto outcome = writeCsvFile(file, rows);
  if (outcome == ExportOutcome::Written) {
    const auto text = std::string(texts::kExportSavedPrefix) + file.string() + "!";
    prompt.messageBox(text, texts::kCaptionInformation, MessageIcon::Information,
                      MessageButtons::Ok);
  } else {
    prompt.messageBox(exportFailureText(outcome, file), texts::kCaptionError, MessageIcon::Error,
                      MessageButtons::Ok);
  }
  return outcome;
}

}  // namespace orvane
