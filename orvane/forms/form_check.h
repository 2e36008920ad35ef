#pragma once
// The answer of a dialog's OK check: which field failed and the message its
// box shows (caption "错误", error icon). The dialog then selects that field
// and stays open; the command line prints the message and stops.
#include <string_view>

namespace orvane::forms {

enum class FormField {
  None,
  // basic settings dialog
  ModuleId,
  Name,
  Description,
  IpAddress,
  // advanced settings dialog
  MasterTimeout,
  SlaveTimeout,
  // add-device dialog
  DeviceNumber,
  TraxIp,
  ModbusIp,
  Port,
  UnitId,
};

struct FormCheck {
  FormField field = FormField::None;
  std::string_view message;

  bool ok() const { return field == FormField::None; }
  friend bool operator==(const FormCheck&, const FormCheck&) = default;
};

}  // namespace orvane::forms
