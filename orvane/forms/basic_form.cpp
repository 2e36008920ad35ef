#include "basic_form.h"

#include "orvane/forms/form_texts.h"
#include "orvane/forms/ip_check.h"
#include "orvane/forms/text_input.h"
#include "platform/gbk.h"

namespace orvane::forms {
namespace {

constexpr int kSerialMode = 1;
constexpr std::size_t kMaxNameCharacters = 64;
constexpr std::size_t kMaxDescriptionCharacters = 256;
constexpr std::uint32_t kMaxNetworkId = 999999999;
constexpr std::uint32_t kMaxSerialId = 90;

void showAddresses(BasicForm& form, const ModuleRecord& record, bool inUse) {
  form.ip = inUse ? record.currentIp : record.ipAddress;
  form.mask = inUse ? record.currentMask : record.subnetMask;
  form.gateway = inUse ? record.currentGateway : record.gateway;
}

// GBK bytes cut to the field's size, before a character that would not fit
// whole, so the stored text never ends in half a character.
template <std::size_t N>
void storeText(std::array<char, N>& field, std::string_view utf8) {
  const auto gbk = platform::utf8ToGbk(utf8);
  setTextField(field, std::string_view(gbk).substr(0, platform::gbkSafePrefixLength(gbk, N - 1)));
}

}  // namespace

BasicForm openBasicForm(const ModuleRecord& record, int mode) {
  BasicForm form;
  form.mode = mode;
  const bool serial = mode == kSerialMode;
  form.idMaximum = serial ? kMaxSerialId : kMaxNetworkId;
  const bool fixed = !serial && record.fixedId != 0;
  form.idText = std::to_string(fixed ? record.fixedId : record.moduleId);
  form.idEnabled = !fixed;
  form.name = nameUtf8(record);
  form.description = descriptionUtf8(record);
  form.textsEnabled = !serial;
  form.radiosEnabled = !serial;
  form.automatic = !serial && record.addressMode == 0;
  form.addressesEnabled = !form.automatic;
  showAddresses(form, record, serial || form.automatic);
  return form;
}

void chooseAddressing(BasicForm& form, const ModuleRecord& record, bool automatic) {
  form.automatic = automatic;
  form.addressesEnabled = !automatic;
  showAddresses(form, record, automatic);
}

FormCheck checkName(std::string_view name) {
  if (characterCount(name) > kMaxNameCharacters) return {FormField::Name, texts::kNameTooLong};
  return {};
}

FormCheck checkDescription(std::string_view description) {
  if (characterCount(description) > kMaxDescriptionCharacters)
    return {FormField::Description, texts::kDescriptionTooLong};
  return {};
}

FormCheck checkModuleId(std::string_view idText, int mode) {
  const auto id = static_cast<std::uint32_t>(readInt(idText));  // compared unsigned
  if (mode == kSerialMode) {
    if (id > kMaxSerialId) return {FormField::ModuleId, texts::kModuleIdSerial};
  } else if (id > kMaxNetworkId) {
    return {FormField::ModuleId, texts::kModuleIdNetwork};
  }
  return {};
}

FormCheck checkIpAddress(const Ipv4Bytes& ip) {
  if (!ipAddressAllowed(ip)) return {FormField::IpAddress, texts::kIpInvalid};
  return {};
}

FormCheck checkBasicForm(const BasicForm& form) {
  for (const auto& check : {checkName(form.name), checkDescription(form.description),
                            checkModuleId(form.idText, form.mode), checkIpAddress(form.ip)})
    if (!check.ok()) return check;
  return {};
}

void applyBasicForm(const BasicForm& form, ModuleRecord& record) {
  record.moduleId = readUnsigned(form.idText);
  if (form.mode == kSerialMode) {
    record.currentIp = form.ip;
    record.currentMask = form.mask;
    record.currentGateway = form.gateway;
    return;
  }
  storeText(record.name, form.name);
  storeText(record.description, form.description);
  record.addressMode = form.automatic ? 0 : 1;
  record.ipAddress = form.ip;
  record.subnetMask = form.mask;
  record.gateway = form.gateway;
}

}  // namespace orvane::forms
