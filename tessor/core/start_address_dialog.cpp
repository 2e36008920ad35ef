#include "tessor/core/start_address_dialog.h"

#include "tessor/core/number_text.h"
#include "tessor/core/register_map.h"

namespace tessor {

StartAddressDialogModel::StartAddressDialogModel(std::string_view text) {
  if (text.empty()) {
    selection_ = 0;
    return;
  }
  for (int i = 0; i < kRegisterTypeCount; ++i) {
    const std::string_view name = kRegisterTypes[static_cast<std::size_t>(i)].name;
    const std::size_t at = text.find(name);
    if (at == std::string_view::npos) continue;
    selection_ = i;
    number_ = std::string(text.substr(0, at)) + std::string(text.substr(at + name.size()));
    return;
  }
}

std::string StartAddressDialogModel::informationLine() const {
  if (!selection_ || *selection_ < 0 || *selection_ >= kRegisterTypeCount)
    return "\n无法识别的寄存器";
  const RegisterType& type = kRegisterTypes[static_cast<std::size_t>(*selection_)];
  return std::string("\n") + type.name + "寄存器\n\t支持功能代码: " + type.supportedCodes +
         "\n\t寄存器范围: " + formatNumber(type.minimum, 8) + " - " + formatNumber(type.maximum, 8);
}

bool StartAddressDialogModel::accept(Prompt& prompt) {
  // Without a valid selection the range shown is the first type's; the
  // number cannot be accepted either way.
  const int index = selection_ && *selection_ >= 0 && *selection_ < kRegisterTypeCount ? *selection_ : 0;
  const RegisterType& type = kRegisterTypes[static_cast<std::size_t>(index)];
  const Conversion number = convertNumber(number_, 8);
  if (selection_ && index == *selection_ && !number_.empty() && number.complete &&
      number.value >= type.minimum && number.value <= type.maximum) {
    value_ = static_cast<std::uint16_t>(number.value);
    return true;
  }
  warn(prompt, registerNumberMessage(type));
  return false;
}

std::string StartAddressDialogModel::resultText() const {
  if (!selection_ || *selection_ < 0 || *selection_ >= kRegisterTypeCount) return number_;
  return kRegisterTypes[static_cast<std::size_t>(*selection_)].name + number_;
}

}  // namespace tessor
