#pragma once
// The values of a read as tessor-cli prints them: each with its register name
// (the octal numbering of the table's labels), its text in the chosen format and
// its number for JSON.
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "tessor/cli/cli_session.h"

namespace tessor::cli {

struct ShownValue {
  std::string name;
  std::string text;
  ValueNumber number;
};

// 16-bit words and bits are formatted by the data table (ShowValues), as the
// window shows them; wider and signed values by their type.
std::vector<ShownValue> shownValues(CliSession& cli, const RequestPlan& plan,
                                    std::span<const std::uint16_t> buffer);

nlohmann::json jsonNumber(const ValueNumber& number);

}  // namespace tessor::cli
