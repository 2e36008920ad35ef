#include "advanced_form.h"

#include "orvane/forms/form_texts.h"
#include "orvane/forms/text_input.h"

namespace orvane::forms {

AdvancedForm openAdvancedForm(const AdvancedSettings& settings) {
  return {std::to_string(settings.masterTimeoutMs), std::to_string(settings.slaveTimeoutSec)};
}

FormCheck checkMasterTimeout(std::string_view text) {
  if (readInt(text) == 0) return {FormField::MasterTimeout, texts::kMasterTimeout};
  return {};
}

FormCheck checkSlaveTimeout(std::string_view text) {
  if (readInt(text) == 0) return {FormField::SlaveTimeout, texts::kSlaveTimeout};
  return {};
}

FormCheck checkAdvancedForm(const AdvancedForm& form) {
  const auto master = checkMasterTimeout(form.masterText);
  return master.ok() ? checkSlaveTimeout(form.slaveText) : master;
}

void applyAdvancedForm(const AdvancedForm& form, AdvancedSettings& settings) {
  settings.masterTimeoutMs = readUnsigned(form.masterText);
  settings.slaveTimeoutSec = readUnsigned(form.slaveText);
}

}  // namespace orvane::forms
