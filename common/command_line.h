#pragma once
// What the suite's command-line programs share in reading their arguments:
// options that take a value come before the command (as `orvane-cli` and
// `tessor-cli` both want them), --help and --version answer wherever they
// stand among those, and numbers are whole decimal numbers within a range.
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trax {

struct LeadingOptions {
  std::string command;
  std::vector<std::string> arguments;  // after the command
  std::string error;                   // why the line is refused; empty when fine
  bool help = false;
  bool version = false;
};

// Takes one leading option and its value; returns why it is refused, or "".
using TakeOption = std::function<std::string(const std::string& option, const std::string& value)>;

// Reads the options named in `withValue` up to the first other word, which is
// the command; each option is handed to `take` in the order given, and the
// first refusal ends the reading. `missingCommand` is the text when no
// command follows.
LeadingOptions splitLeadingOptions(const std::vector<std::string>& args,
                                   std::initializer_list<std::string_view> withValue,
                                   std::string_view missingCommand, const TakeOption& take);

// A whole decimal number within [low, high]; nothing otherwise.
std::optional<long> boundedNumber(std::string_view text, long low, long high);

}  // namespace trax
