#pragma once
// The module list's column sorting, decided without a window: the key list
// and the direction bits of a multi-column sort, which passes a header click
// runs, the arrow each header shows, and the order of the rows in one pass.
//
// A clear direction bit means the column's next sort is descending, so the
// first click on a column sorts it descending and each further click flips
// it. A Ctrl+click adds the column as the last key (or moves it there) and
// re-sorts by every key from the last to the first; the other keys keep the
// direction they show.
//
// User-interface thread only.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

inline constexpr int kSortColumnLimit = 64;

enum class SortArrow { None, Ascending, Descending };

struct SortPass {
  int column = 0;
  bool ascending = false;
};

class MultiColumnSort {
 public:
  // A left click on header `column` (0 to 63), with or without Ctrl held:
  // updates the keys, bits and arrows and returns the passes to run, in order.
  // Nothing for a column outside 0 to 63.
  std::vector<SortPass> click(int column, bool ctrl);

  // SortKeyList: the keys of the current sort, first key first.
  const std::vector<int>& keys() const { return keys_; }
  // The direction the column's next plain click sorts in.
  bool nextAscending(int column) const;
  SortArrow arrow(int column) const;

 private:
  std::vector<int> keys_;
  std::uint64_t directionBits_ = 0;  // SortDirectionBits: set = next sort ascending
  std::array<SortArrow, kSortColumnLimit> arrows_{};
};

// Case-insensitive comparison of two cell texts (UTF-8): ASCII letters
// compare without case, other characters by their code.
int compareCellTexts(std::string_view a, std::string_view b);

// The new order of `texts` (one cell text per row) for one pass: the row
// indices from the first row shown to the last. Rows with equal texts keep
// their order, so a multi-column sort keeps what earlier passes sorted.
std::vector<int> sortedRowOrder(const std::vector<std::string>& texts, bool ascending);

}  // namespace orvane
