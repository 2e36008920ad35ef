#include "orvane/protocol/list_sort.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Passes = std::vector<std::pair<int, bool>>;  // column, ascending

Passes passesOf(const std::vector<SortPass>& passes) {
  Passes out;
  for (const auto& pass : passes) out.emplace_back(pass.column, pass.ascending);
  return out;
}

TEST(MultiColumnSort, ClicksGiveKeysPassesAndArrows) {
  struct Step {
    int column;
    bool ctrl;
    Passes passes;
    std::vector<int> keys;
    std::vector<std::pair<int, SortArrow>> arrows;
  };
  constexpr auto up = SortArrow::Ascending, down = SortArrow::Descending, none = SortArrow::None;
  const Step steps[] = {
      {2, false, {{2, false}}, {2}, {{2, down}}},  // first click: descending
      {2, false, {{2, true}}, {2}, {{2, up}}},     // second: ascending
      // Ctrl on 名称: name first, then IP in the direction it shows.
      {4, true, {{4, false}, {2, true}}, {2, 4}, {{2, up}, {4, down}}},
      {6, true, {{6, false}, {4, false}, {2, true}}, {2, 4, 6}, {{6, down}}},
      // Ctrl on the first key moves it to the end; the others keep their order.
      {2, true, {{2, false}, {6, false}, {4, false}}, {4, 6, 2}, {{2, down}, {4, down}}},
      // A plain click leaves one key and one arrow.
      {4, false, {{4, true}}, {4}, {{4, up}, {2, none}, {6, none}}},
  };
  MultiColumnSort sort;
  for (const auto& step : steps) {
    SCOPED_TRACE(::testing::Message() << step.column << (step.ctrl ? " ctrl" : ""));
    EXPECT_EQ(passesOf(sort.click(step.column, step.ctrl)), step.passes);
    EXPECT_EQ(sort.keys(), step.keys);
    for (const auto& [column, arrow] : step.arrows) EXPECT_EQ(sort.arrow(column), arrow);
  }
  EXPECT_TRUE(sort.click(64, false).empty());
}

TEST(ListSort, CaseInsensitiveOrderKeepsEqualRows) {
  const std::vector<std::string> texts{"b", "A", "a", "C", "中", ""};
  EXPECT_EQ(sortedRowOrder(texts, true), (std::vector<int>{5, 1, 2, 0, 3, 4}));
  EXPECT_EQ(sortedRowOrder(texts, false), (std::vector<int>{4, 3, 0, 1, 2, 5}));
  EXPECT_EQ(compareCellTexts("ABC", "abc"), 0);
  EXPECT_LT(compareCellTexts("192.168.01.05", "192.168.10.11"), 0);
}

}  // namespace
}  // namespace orvane
