#pragma once
// Fills the first "%d" or "%s" of a text, the way the editor's formatted
// texts take their one value.
#include <string>
#include <string_view>

namespace orvane {

std::string fillIn(std::string_view format, int value);               // "%d"
std::string fillIn(std::string_view format, std::string_view value);  // "%s"

}  // namespace orvane
