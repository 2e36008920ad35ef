#pragma once
// A CSV file as records of fields (RFC 4180): fields separated by ",",
// records by CR LF or LF, a field in double quotes may hold commas, line
// breaks and doubled quotes. Files written by spreadsheets and by the
// editor's "导出" both read this way.
#include <string>
#include <string_view>
#include <vector>

namespace orvane::cli {

struct CsvRecord {
  int line = 0;  // the file's line where the record starts, from 1
  std::vector<std::string> fields;
};

struct CsvRecords {
  std::vector<CsvRecord> records;  // blank lines left out
  int errorLine = 0;               // 0 when the whole text was read
  std::string error;
};

// A line break inside a quoted field comes back as LF: the export writes
// every line feed as CR LF, also inside a field.
CsvRecords splitCsv(std::string_view text);

// The text of a batch file in UTF-8: a UTF-8 byte order mark, or bytes
// that are all valid UTF-8, mean UTF-8; anything else is read as code page
// 936 (GBK), the encoding the export writes.
struct DecodedText {
  std::string utf8;
  std::string encoding;  // "UTF-8" or "GBK"
  int errorLine = 0;     // valid in neither: the line of the first bad byte
  std::string error;
};
DecodedText decodeBatchText(std::string_view bytes);

}  // namespace orvane::cli
