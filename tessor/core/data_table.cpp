#include "tessor/core/data_table.h"

#include <algorithm>

#include "tessor/core/number_text.h"
#include "tessor/core/register_map.h"

namespace tessor {

static_assert(kMaxColumnsPerRow == kMaxBitLength, "one row holds the longest request");

std::optional<int> relayoutCount(std::string_view startAddress, std::string_view length) {
  const auto type = RecognizeRegisterType(startAddress);
  if (!type) return std::nullopt;
  const std::uint64_t typed = convertNumber(length, 10).value;
  return static_cast<int>(std::min<std::uint64_t>(typed, static_cast<std::uint64_t>(MaxLength(*type))));
}

DataTable::DataTable() { cells_.assign(1, std::vector<std::string>(1)); }

void DataTable::setLayoutListener(LayoutListener listener) { listener_ = std::move(listener); }

void DataTable::setColumnsPerRow(int columns) {
  std::lock_guard lock(mutex_);
  columnsPerRow_ = std::clamp(columns, kMinColumnsPerRow, kMaxColumnsPerRow);
}

int DataTable::columnsPerRow() const {
  std::lock_guard lock(mutex_);
  return columnsPerRow_;
}

void DataTable::setStartAddress(std::string_view text) {
  std::lock_guard lock(mutex_);
  registerType_ = RecognizeRegisterType(text);
  startNumber_ = registerType_ ? startRegisterNumber(text, *registerType_) : 0;
}

void DataTable::setSelectedFormat(int format) {
  std::lock_guard lock(mutex_);
  selectedFormat_ = format;
}

int DataTable::selectedFormat() const {
  std::lock_guard lock(mutex_);
  return selectedFormat_;
}

void DataTable::setPreviousFormat(int format) {
  std::lock_guard lock(mutex_);
  previousFormat_ = format;
}

int DataTable::previousFormat() const {
  std::lock_guard lock(mutex_);
  return previousFormat_;
}

DataTable::Geometry DataTable::geometryFor(int n) const {
  n = std::max(n, 0);
  const int c = columnsPerRow_;
  return {n % c == 0 ? 1 + n / c : 2 + n / c, n == 1 ? 2 : c + 1};
}

void DataTable::resizeKeeping(Geometry g) {
  cells_.resize(static_cast<std::size_t>(g.rows));
  for (auto& row : cells_) row.resize(static_cast<std::size_t>(g.columns));
}

void DataTable::writeHeaders() {
  const auto columns = cells_[0].size();
  cells_[0][0].clear();
  for (std::size_t k = 1; k < columns; ++k) cells_[0][k] = "+" + formatNumber(k - 1, 8);
  const std::string name =
      registerType_ ? kRegisterTypes[static_cast<std::size_t>(*registerType_)].name : "";
  for (std::size_t r = 1; r < cells_.size(); ++r) {
    const std::uint64_t number = startNumber_ + (r - 1) * static_cast<std::uint64_t>(columnsPerRow_);
    cells_[r][0] = name + formatNumber(number, 8);
  }
}

bool DataTable::wordType() const {
  return !registerType_ || kRegisterTypes[static_cast<std::size_t>(*registerType_)].isWord;
}

const std::string* DataTable::valueCell(std::size_t i) const {
  const auto c = static_cast<std::size_t>(columnsPerRow_);
  const std::size_t row = i / c + 1;
  const std::size_t column = i % c + 1;
  if (row >= cells_.size() || column >= cells_[row].size()) return nullptr;
  return &cells_[row][column];
}

void DataTable::notify(bool autosize) {
  if (listener_) listener_(autosize);
}

void DataTable::ShowValues(std::span<const std::uint16_t> buffer, int n, int format,
                           bool autosize) {
  {
    std::lock_guard lock(mutex_);
    n = std::max(n, 0);
    const Geometry g = geometryFor(n);
    cells_.assign(static_cast<std::size_t>(g.rows),
                  std::vector<std::string>(static_cast<std::size_t>(g.columns), kEmptyCell));
    writeHeaders();
    const bool word = wordType();
    const int base = baseOfFormat(format);
    const auto c = static_cast<std::size_t>(columnsPerRow_);
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
      const std::size_t word_index = word ? i : i / 16;
      if (word_index >= buffer.size()) break;  // values the buffer does not hold stay "----"
      const unsigned value = word ? buffer[word_index] : (buffer[word_index] >> (i % 16)) & 1u;
      cells_[i / c + 1][i % c + 1] = formatNumber(value, base);
    }
    previousFormat_ = selectedFormat_;
  }
  notify(autosize);
}

void DataTable::Relayout(int n, bool autosize) {
  {
    std::lock_guard lock(mutex_);
    resizeKeeping(geometryFor(n));
    writeHeaders();
    const bool convert = previousFormat_ != selectedFormat_;
    const int from = baseOfFormat(previousFormat_);
    const int to = baseOfFormat(selectedFormat_);
    for (std::size_t r = 1; r < cells_.size(); ++r) {
      for (std::size_t k = 1; k < cells_[r].size(); ++k) {
        std::string& text = cells_[r][k];
        if (text.empty()) {
          text = kEmptyCell;
        } else if (text != kEmptyCell && convert) {
          text = formatNumber(convertNumber(text, from).value, to);
        }
      }
    }
    previousFormat_ = selectedFormat_;
  }
  notify(autosize);
}

int DataTable::rowCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(cells_.size());
}

int DataTable::columnCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(cells_[0].size());
}

std::string DataTable::cell(int row, int column) const {
  std::lock_guard lock(mutex_);
  if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= cells_.size() ||
      static_cast<std::size_t>(column) >= cells_[0].size())
    return {};
  return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool DataTable::setCell(int row, int column, std::string text) {
  std::lock_guard lock(mutex_);
  if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= cells_.size() ||
      static_cast<std::size_t>(column) >= cells_[0].size())
    return false;
  cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
  return true;
}

DataTable::Cells DataTable::cells() const {
  std::lock_guard lock(mutex_);
  return cells_;
}

}  // namespace tessor
