#include "common/command_line.h"

#include <algorithm>
#include <charconv>

namespace trax {

LeadingOptions splitLeadingOptions(const std::vector<std::string>& args,
                                   std::initializer_list<std::string_view> withValue,
                                   std::string_view missingCommand, const TakeOption& take) {
  LeadingOptions line;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const auto& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      line.help = true;
      return line;
    }
    if (arg == "--version") {
      line.version = true;
      return line;
    }
    if (std::find(withValue.begin(), withValue.end(), arg) == withValue.end()) break;
    if (i + 1 >= args.size()) {
      line.error = arg + " 缺少参数";
      return line;
    }
    line.error = take(arg, args[++i]);
    if (!line.error.empty()) return line;
  }
  if (i >= args.size()) {
    line.error = missingCommand;
    return line;
  }
  if (args[i].rfind("--", 0) == 0) {
    line.error = "未知选项: " + args[i];
    return line;
  }
  line.command = args[i];
  line.arguments.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  return line;
}

std::optional<long> boundedNumber(std::string_view text, long low, long high) {
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace trax
