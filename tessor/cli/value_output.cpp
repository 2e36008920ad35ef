#include "tessor/cli/value_output.h"

#include <cmath>

#include "tessor/core/number_text.h"

namespace tessor::cli {

std::vector<ShownValue> shownValues(CliSession& cli, const RequestPlan& plan,
                                    std::span<const std::uint16_t> buffer) {
  std::vector<ShownValue> shown;
  if (plan.layout.type == ValueType::U16) {
    const bool bits = plan.functionCode == 1 || plan.functionCode == 2;
    cli.table.ShowValues(buffer, plan.words(), plan.format, false);
    const int columns = cli.table.columnsPerRow();
    for (int i = 0; i < plan.words(); ++i) {
      const auto index = static_cast<std::size_t>(i);
      const unsigned value = bits ? (buffer[index / 16] >> (index % 16)) & 1u : buffer[index];
      shown.push_back({cli.valueName(plan, i), cli.table.cell(i / columns + 1, i % columns + 1),
                       {false, value, 0}});
    }
    return shown;
  }
  const int width = wordsPerValue(plan.layout.type);
  for (int i = 0; i < plan.values; ++i) {
    const auto words = buffer.subspan(static_cast<std::size_t>(i * width), static_cast<std::size_t>(width));
    shown.push_back({cli.valueName(plan, i), valueText(plan.layout, words, baseOfFormat(plan.format)),
                     valueOfWords(plan.layout, words)});
  }
  return shown;
}

nlohmann::json jsonNumber(const ValueNumber& number) {
  if (!number.isFloat) return number.integer;
  if (!std::isfinite(number.real)) return nullptr;  // JSON has no NaN or infinity
  return number.real;
}

}  // namespace tessor::cli
