#include "advanced_form.h"

#include "orvane/shell/forms/form_texts.h"
#include "orvane/shell/forms/text_input.h"

namespace orvane::forms {

AdvancedForm openAdvancedForm(const AdvancedSettings& settings) {
  return {std::to_string(settings.masterTimeoutMs), std::to_string(settings.slaveTimeoutSec)};
}

FormCheck checkAdvancedForm(const AdvancedForm& form) {
  if (readInt(form.masterText) == 0) return {FormField::MasterTimeout, texts::kMasterTimeout};
  if (readInt(form.slaveText) == 0) return {FormField::SlaveTimeout, texts::kSlaveTimeout};
  return {};
}

void applyAdvancedForm(const AdvancedForm& form, AdvancedSettings& settings) {
  settings.masterTimeoutMs = readUnsigned(form.masterText);
  settings.slaveTimeoutSec = readUnsigned(form.slaveText);
}

}  // namespace orvane::forms
