#include "list_sort.h"

#include <algorithm>
#include <numeric>

namespace orvane {
namespace {

std::uint64_t bitOf(int column) { return std::uint64_t{1} << column; }

char foldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool MultiColumnSort::nextAscending(int column) const {
  return column >= 0 && column < kSortColumnLimit && (directionBits_ & bitOf(column)) != 0;
}

SortArrow MultiColumnSort::arrow(int column) const {
  return column >= 0 && column < kSortColumnLimit ? arrows_[static_cast<std::size_t>(column)]
                                                  : SortArrow::None;
}

// The clicked column runs first, in its bit's direction, and gets the
// arrow; its bit then flips. With Ctrl the other keys follow, from the last
// key to the first, each in the direction it currently shows (its bit
// inverted): the first key, sorted last, orders the rows.
std::vector<SortPass> MultiColumnSort::click(int column, bool ctrl) {
  if (column < 0 || column >= kSortColumnLimit) return {};
  std::vector<SortPass> passes;
  if (!ctrl) {
    arrows_.fill(SortArrow::None);
    keys_.assign(1, column);
  } else {
    keys_.erase(std::remove(keys_.begin(), keys_.end(), column), keys_.end());
    keys_.push_back(column);
    for (auto key = keys_.rbegin() + 1; key != keys_.rend(); ++key)
      passes.push_back({*key, !nextAscending(*key)});
  }
  const bool ascending = nextAscending(column);
  passes.insert(passes.begin(), {column, ascending});
  arrows_[static_cast<std::size_t>(column)] = ascending ? SortArrow::Ascending : SortArrow::Descending;
  directionBits_ ^= bitOf(column);
  return passes;
}

int compareCellTexts(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(foldCase(a[i]));
    const auto y = static_cast<unsigned char>(foldCase(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::vector<int> sortedRowOrder(const std::vector<std::string>& texts, bool ascending) {
  std::vector<int> order(texts.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
    const int result = compareCellTexts(texts[static_cast<std::size_t>(x)],
                                        texts[static_cast<std::size_t>(y)]);
    return ascending ? result < 0 : result > 0;
  });
  return order;
}

}  // namespace orvane
