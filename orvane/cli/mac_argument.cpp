#include "mac_argument.h"

#include <algorithm>
#include <string>

#include "orvane/protocol/row_format.h"

namespace orvane::cli {

std::optional<MacAddress> parseMacArgument(std::string_view text) {
  std::string dotted(text);
  std::replace(dotted.begin(), dotted.end(), '-', '.');
  std::replace(dotted.begin(), dotted.end(), ':', '.');
  return parseMacText(dotted);
}

}  // namespace orvane::cli
