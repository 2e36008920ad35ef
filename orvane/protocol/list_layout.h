#pragma once
// What the module list's columns must hold besides their initial widths,
// and where their widths go in the user profile.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

// The profile entry of the column widths (section "ColumnWidths").
inline constexpr std::string_view kColumnWidthsEntry = "MAC 地址";

// For the columns whose texts may be wider than their initial width (the IP
// address and the status): the widest text each can show, which the list
// must show without cutting it.
std::vector<std::pair<int, std::string>> widestColumnTexts();

}  // namespace orvane
