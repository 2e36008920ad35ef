// The checks a write makes on the table: ValidateTableValues (with messages)
// and CollectValues (silent), which packs the cells into the exchange buffer.
#include <algorithm>

#include "tessor/core/data_table.h"
#include "tessor/core/number_text.h"
#include "tessor/core/register_map.h"

namespace tessor {

namespace {
std::string cellMessageHead(std::size_t row, std::size_t column, int base) {
  return "\n表格数据(" + std::to_string(row) + "," + std::to_string(column) +
         ")错误！\n1.表格数据不可以为空\n2.表格数据为" + std::to_string(base) + "进制数\n";
}

bool hasDigitOf(const std::string& upper, int base) {
  return std::any_of(upper.begin(), upper.end(), [base](char c) {
    return convertNumber(std::string_view(&c, 1), base).consumed == 1;
  });
}
}  // namespace

bool DataTable::ValidateTableValues(Prompt& prompt) {
  Cells snapshot;
  bool word = true;
  int base = 10;
  {
    std::lock_guard lock(mutex_);
    snapshot = cells_;
    word = wordType();
    base = word ? baseOfFormat(selectedFormat_) : 2;
  }
  const std::uint64_t limit = word ? 65535 : 1;
  for (std::size_t r = 1; r < snapshot.size(); ++r) {
    for (std::size_t c = 1; c < snapshot[r].size(); ++c) {
      const std::string upper = toUpper(snapshot[r][c]);
      if (upper == kEmptyCell) continue;
      if (upper.empty() || !hasDigitOf(upper, base)) {
        warn(prompt, cellMessageHead(r, c, base) + "\n请重新输入！");
        return false;
      }
      if (convertNumber(upper, base).value > limit) {
        warn(prompt, cellMessageHead(r, c, base) +
                         "3.数据必须在范围(0 - 65535)[十进制]内\n\n请重新输入！");
        return false;
      }
    }
  }
  return true;
}

int DataTable::CollectValues(std::span<std::uint16_t> buffer, int n, int format) {
  std::lock_guard lock(mutex_);
  if (n < 0) return 0;
  const std::size_t count = static_cast<std::size_t>(n);
  if (count > (cells_.size() - 1) * (cells_[0].size() - 1)) return 0;
  const bool word = wordType();
  const std::size_t words = word ? count : (count + 15) / 16;
  if (words > buffer.size()) return 0;
  const int base = baseOfFormat(format);
  if (!word) std::fill_n(buffer.begin(), words, std::uint16_t{0});
  for (std::size_t i = 0; i < count; ++i) {
    const std::string* text = valueCell(i);
    if (!text) return 0;
    const Conversion value = convertNumber(*text, base);
    if (!value.complete) return 0;
    if (word)
      buffer[i] = static_cast<std::uint16_t>(value.value);
    else if (value.value == 1)
      buffer[i / 16] = static_cast<std::uint16_t>(buffer[i / 16] | (1u << (i % 16)));
  }
  return static_cast<int>(words);
}

}  // namespace tessor
