#pragma once
// CDlgAddDevice without its window: one peer entry's edits, the OK checks
// in their order and what OK stores.
#include <string>

#include "orvane/protocol/peer_entry.h"
#include "orvane/forms/form_check.h"

namespace orvane::forms {

struct AddDeviceForm {
  std::string deviceText;  // edit 1036 "RX/WX设备号:"
  bool trax = false;       // radio "TRAX" checked ("Modbus/TCP" otherwise)
  Ipv4Bytes traxIp{};      // IP control 1045, enabled for TRAX
  Ipv4Bytes modbusIp{};    // IP control 1038, enabled for Modbus/TCP
  std::string portText;    // edit 1039 "端口号:"
  std::string unitText;    // edit 1040 "单元ID:"
};

// Both IP controls show the entry's address; kind 2 checks "TRAX", any
// other kind "Modbus/TCP".
AddDeviceForm openAddDeviceForm(const PeerEntry& entry);

// Device number above 90 (compared unsigned); the TRAX address, then the
// Modbus/TCP address, each checked whichever kind is selected; port outside
// 1-65535; unit ID above 255 (compared unsigned).
FormCheck checkAddDeviceForm(const AddDeviceForm& form);

// After the checks passed: device number, kind (2 TRAX, 1 Modbus/TCP), the
// address of the selected kind, port and unit ID whatever the kind. The
// reserved bytes stay as they were.
void applyAddDeviceForm(const AddDeviceForm& form, PeerEntry& entry);

}  // namespace orvane::forms
