#pragma once
// CDlgAdvancedSet without its window: the two time-out edits, their OK
// checks and what OK stores. The edits accept any text.
#include <string>
#include <string_view>

#include "orvane/protocol/advanced_settings.h"
#include "orvane/forms/form_check.h"

namespace orvane::forms {

struct AdvancedForm {
  std::string masterText;  // edit 1029, "主机" ... "ms"
  std::string slaveText;   // edit 1031, "从机" ... "sec"
};

// Both values in decimal.
AdvancedForm openAdvancedForm(const AdvancedSettings& settings);

// A text that reads as 0 as a signed integer (empty, "0", "abc") is refused:
// the master time-out first, then the slave time-out. "5abc" reads as 5.
FormCheck checkAdvancedForm(const AdvancedForm& form);
FormCheck checkMasterTimeout(std::string_view text);
FormCheck checkSlaveTimeout(std::string_view text);

// After the checks passed: both texts read as unsigned 32-bit integers
// ("-1" is 4294967295); every other field stays as it was.
void applyAdvancedForm(const AdvancedForm& form, AdvancedSettings& settings);

}  // namespace orvane::forms
