#pragma once
// CDlgGeneralSet without its window: what the basic settings dialog shows
// when it opens and after a radio click, its OK checks in their order, and
// what OK stores into the module's record. The Qt dialog fills its controls
// from a BasicForm and reads them back into one; orvane-cli fills one from
// its options.
#include <cstdint>
#include <string>
#include <string_view>

#include "orvane/protocol/module_record.h"
#include "orvane/forms/form_check.h"

namespace orvane::forms {

struct BasicForm {
  int mode = 0;  // the route: 0 network (TCP/IP), 1 serial through the PLC
  std::uint32_t idMaximum = 999999999;  // the up-down range is 0 to this
  std::string idText;                   // edit 1018, digits
  bool idEnabled = true;
  std::string name;  // UTF-8
  std::string description;
  bool textsEnabled = true;      // name and description edits
  bool automatic = false;        // radio 1022 "自动获取IP地址" checked (1023 otherwise)
  bool radiosEnabled = true;
  Ipv4Bytes ip{}, mask{}, gateway{};  // the three IP address controls
  bool addressesEnabled = true;
};

BasicForm openBasicForm(const ModuleRecord& record, int mode);

// A click on either radio button that leaves "自动获取IP地址" checked or not:
// the controls show the addresses in use (disabled) or the manual ones
// (enabled). The record is not changed.
void chooseAddressing(BasicForm& form, const ModuleRecord& record, bool automatic);

// The single checks, for front ends that check input before opening the
// dialog. Lengths count characters as the edits do (UTF-16 units).
FormCheck checkName(std::string_view name);                // at most 64
FormCheck checkDescription(std::string_view description);  // at most 256
FormCheck checkModuleId(std::string_view idText, int mode);  // 0-999999999, serial 0-90
FormCheck checkIpAddress(const Ipv4Bytes& ip);

// OK: name, description, ID, IP address, in this order; the first failure.
// The subnet mask and gateway are not checked, and the IP address is
// checked whichever radio is checked.
FormCheck checkBasicForm(const BasicForm& form);

// After the checks passed: moduleId from the ID text; on the network route
// name and description in code page 936 cut to 64 and 256 bytes (never in
// the middle of a double-byte character), addressMode and the manual
// addresses; on the serial route the addresses in use only.
void applyBasicForm(const BasicForm& form, ModuleRecord& record);

}  // namespace orvane::forms
