#pragma once
// The file dialog's filter: operations give it in the classic form
// "Firmware Flies(*.bin)|*.bin||" (description|patterns pairs, ';' between
// patterns); Qt takes "description (patterns)" entries separated by ";;".
#include <string>
#include <string_view>

namespace orvane {

std::string qtFileFilter(std::string_view classicFilter);

}  // namespace orvane
