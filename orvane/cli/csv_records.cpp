#include "csv_records.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace orvane::cli {
namespace {

class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {}

  CsvRecords read() {
    while (at_ < text_.size() && result_.error.empty()) readRecord();
    return std::move(result_);
  }

 private:
  bool atLineEnd() const {
    return text_[at_] == '\n' || (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n');
  }
  void skipLineEnd() {
    if (text_[at_] == '\r') ++at_;
    ++at_;
    ++line_;
  }

  void readRecord() {
    CsvRecord record{line_, {}};
    bool quotedAny = false;
    for (;;) {
      std::string field;
      if (at_ < text_.size() && text_[at_] == '"') {
        quotedAny = true;
        if (!readQuoted(field)) return;
      } else {
        while (at_ < text_.size() && text_[at_] != ',' && !atLineEnd()) field += text_[at_++];
      }
      record.fields.push_back(std::move(field));
      if (at_ >= text_.size()) break;
      if (text_[at_] == ',') {
        ++at_;
        continue;
      }
      if (atLineEnd()) {
        skipLineEnd();
        break;
      }
      fail(line_, "引号括起的字段后应为逗号或行尾");
      return;
    }
    const bool blank = !quotedAny && record.fields.size() == 1 && record.fields[0].empty();
    if (!blank) result_.records.push_back(std::move(record));
  }

  bool readQuoted(std::string& field) {
    const int startLine = line_;
    ++at_;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '"') {
        if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
          field += '"';
          at_ += 2;
          continue;
        }
        ++at_;
        return true;
      }
      if (atLineEnd()) {
        skipLineEnd();
        field += '\n';
        continue;
      }
      field += c;
      ++at_;
    }
    fail(startLine, "引号没有结束");
    return false;
  }

  void fail(int line, std::string text) {
    result_.errorLine = line;
    result_.error = std::move(text);
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int line_ = 1;
  CsvRecords result_;
};

int lineOf(std::string_view bytes, std::size_t offset) {
  offset = std::min(offset, bytes.size());
  return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

}  // namespace

CsvRecords splitCsv(std::string_view text) { return CsvReader(text).read(); }

DecodedText decodeBatchText(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  const bool bom = bytes.substr(0, kBom.size()) == kBom;
  if (bom) bytes.remove_prefix(kBom.size());
  auto utf8 = platform::convertText(bytes, "UTF-8", "UTF-8");
  if (utf8.text) return {std::move(*utf8.text), "UTF-8", 0, {}};
  if (bom)
    return {{}, "UTF-8", lineOf(bytes, utf8.failedAt), "不是有效的 UTF-8 文本（文件以 UTF-8 字节顺序标记开头）"};
  auto gbk = platform::convertText(bytes, "GBK", "UTF-8");
  if (gbk.text) return {std::move(*gbk.text), "GBK", 0, {}};
  return {{}, {}, lineOf(bytes, gbk.failedAt), "既不是有效的 UTF-8 文本，也不是有效的 GBK 文本"};
}

}  // namespace orvane::cli
