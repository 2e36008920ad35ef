#pragma once
// The data table of Tessor as a model of text cells: row 0 and column 0 are the
// headers, the data cells hold the values of the last read in the selected number
// format and the values the user types for the next write. The window shows this
// model and forwards edits to setCell(); it never formats values itself.
//
// Guarded by mutex_: the GUI thread owns the table, but the first cycle of the
// polling worker validates and collects it from the worker thread. Prompts are
// shown without the lock held, so a blocking prompt never stalls the GUI thread.
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tessor/core/prompt.h"

namespace tessor {

inline constexpr const char* kEmptyCell = "----";
inline constexpr int kStartupCountUnrecognised = 160;
// "Grid Column" is taken within 1 .. 2000: a row of the longest request (2000
// coils) is as wide as a row can usefully be; wider rows would hold only "----"
// and give a grid no window can show.
inline constexpr int kMinColumnsPerRow = 1;
inline constexpr int kMaxColumnsPerRow = 2000;

// The count the table is re-laid for when the user edits the start address or
// the length: min(length, MaxLength) when the start address names a register
// type; nothing (the table stays) otherwise. At start-up an unrecognised start
// address lays the table out for kStartupCountUnrecognised values.
std::optional<int> relayoutCount(std::string_view startAddress, std::string_view length);

class DataTable {
 public:
  using Cells = std::vector<std::vector<std::string>>;
  // Called after every layout (outside the lock): the window suspends redraw
  // around it, sizes the columns when `autosize` is set and widens the last one.
  using LayoutListener = std::function<void(bool autosize)>;

  DataTable();

  void setLayoutListener(LayoutListener listener);
  void setColumnsPerRow(int columns);  // the "Grid Column" setting, clamped to 1 .. 2000
  int columnsPerRow() const;
  // The start-address text decides the row labels and word or bit handling.
  void setStartAddress(std::string_view text);
  void setSelectedFormat(int format);  // 0 octal, 1 decimal, 2 hexadecimal
  int selectedFormat() const;
  void setPreviousFormat(int format);
  int previousFormat() const;

  void ShowValues(std::span<const std::uint16_t> buffer, int n, int format, bool autosize);
  void Relayout(int n, bool autosize);
  bool ValidateTableValues(Prompt& prompt);
  // Words filled (n for registers, ceil(n / 16) for bits), or 0 without a message.
  int CollectValues(std::span<std::uint16_t> buffer, int n, int format);

  int rowCount() const;
  int columnCount() const;
  std::string cell(int row, int column) const;
  bool setCell(int row, int column, std::string text);  // false outside the grid
  Cells cells() const;

 private:
  struct Geometry {
    int rows;
    int columns;
  };
  Geometry geometryFor(int n) const;
  void resizeKeeping(Geometry g);
  void writeHeaders();
  void notify(bool autosize);
  bool wordType() const;  // with mutex_ held; an unrecognised address counts as words
  // The cell of value i, or nullptr when the grid (laid out earlier, perhaps for
  // another column count) has no such cell.
  const std::string* valueCell(std::size_t i) const;

  mutable std::mutex mutex_;
  Cells cells_;
  int columnsPerRow_ = 8;
  int selectedFormat_ = 2;
  int previousFormat_ = 2;
  std::optional<int> registerType_;
  std::uint32_t startNumber_ = 0;
  LayoutListener listener_;  // set once by the window before use
};

}  // namespace tessor
