#include "add_device_form.h"

#include "orvane/forms/form_texts.h"
#include "orvane/forms/ip_check.h"
#include "orvane/forms/text_input.h"

namespace orvane::forms {

AddDeviceForm openAddDeviceForm(const PeerEntry& entry) {
  AddDeviceForm form;
  form.deviceText = std::to_string(entry.device);
  form.trax = entry.kind == kPeerKindTrax;
  form.traxIp = form.modbusIp = entry.ip;
  form.portText = std::to_string(entry.port);
  form.unitText = std::to_string(entry.unit);
  return form;
}

FormCheck checkAddDeviceForm(const AddDeviceForm& form) {
  if (static_cast<std::uint32_t>(readInt(form.deviceText)) > 90)
    return {FormField::DeviceNumber, texts::kDeviceNumber};
  if (!ipAddressAllowed(form.traxIp)) return {FormField::TraxIp, texts::kIpInvalid};
  if (!ipAddressAllowed(form.modbusIp)) return {FormField::ModbusIp, texts::kIpInvalid};
  const auto port = readInt(form.portText);
  if (port < 1 || port > 65535) return {FormField::Port, texts::kPort};
  if (static_cast<std::uint32_t>(readInt(form.unitText)) > 255)
    return {FormField::UnitId, texts::kUnitId};
  return {};
}

void applyAddDeviceForm(const AddDeviceForm& form, PeerEntry& entry) {
  entry.device = static_cast<std::uint8_t>(readInt(form.deviceText));
  entry.kind = form.trax ? kPeerKindTrax : kPeerKindModbusTcp;
  entry.ip = form.trax ? form.traxIp : form.modbusIp;
  entry.port = static_cast<std::uint16_t>(readInt(form.portText));
  entry.unit = static_cast<std::uint8_t>(readInt(form.unitText));
}

}  // namespace orvane::forms
