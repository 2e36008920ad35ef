#pragma once
// The module list written to a CSV file ("导出"): a header line, then one line
// per list row in the list's display order, each field the text the list
// shows, in code page 936 with CRLF line ends.
//
// Fields are written as they stand, separated by ",", so readers of the
// files the editor has always written keep working. The one exception: a
// name or description holding a ",", a double quote or a line break would
// split its line, so that field alone is quoted (RFC 4180: enclosed in
// double quotes, inner quotes doubled).
#include <array>
#include <ctime>
#include <filesystem>
#include <span>
#include <string>

#include "orvane/protocol/prompt.h"
#include "orvane/protocol/row_format.h"

namespace orvane {

// The eight texts of one list row, UTF-8, column 0 (MAC) first.
using ExportRow = std::array<std::string, kColumnCount>;

// The file's bytes: header and rows, GBK, each line ended by CR LF.
std::string csvFileBytes(std::span<const ExportRow> rows);

// The save dialog's default name: the local time as "%04d%02d%02d%02d%02d%02d.csv".
std::string defaultExportFileName(const std::tm& localTime);

enum class ExportOutcome { Written, OverwriteFailed, OpenFailed };

// Creates the missing directories along `file`, replaces an existing file
// and writes the rows. Every failure shows its box through `prompt`, and so
// does success ("导出文件保存于<path>!", caption "信息").
ExportOutcome exportCsv(const std::filesystem::path& file, std::span<const ExportRow> rows,
                        Prompt& prompt);

// The same steps without any box: for front ends that report by themselves.
ExportOutcome writeCsvFile(const std::filesystem::path& file, std::span<const ExportRow> rows);

// The failure's box text for `file` (empty for Written).
std::string exportFailureText(ExportOutcome outcome, const std::filesystem::path& file);

}  // namespace orvane
