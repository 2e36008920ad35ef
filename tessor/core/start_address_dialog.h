#pragma once
// What the start-address dialog ("选择起始地址") decides, without its widgets:
// how an incoming text is split into a register type and a number, the
// information line, and the check made on OK.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tessor/core/prompt.h"

namespace tessor {

class StartAddressDialogModel {
 public:
  // Splits `text` the dialog's way: the first prefix found anywhere (table order)
  // is removed where it was found and selected; an empty text selects R.
  explicit StartAddressDialogModel(std::string_view text);

  std::optional<int> selection() const { return selection_; }
  void select(std::optional<int> registerType) { selection_ = registerType; }
  const std::string& numberText() const { return number_; }
  void setNumberText(std::string text) { number_ = std::move(text); }

  std::string informationLine() const;

  // OK: true when the number text is a complete octal number within the selected
  // type's range (the value is then kept); otherwise the register-number message
  // is shown and the dialog stays open (the window then selects and focuses the
  // number edit).
  bool accept(Prompt& prompt);
  std::uint16_t value() const { return value_; }
  // The new start-address text: prefix followed by the number exactly as typed.
  std::string resultText() const;

 private:
  std::optional<int> selection_;
  std::string number_;
  std::uint16_t value_ = 0;
};

}  // namespace tessor
