// The add-device dialog without its window.
#include <gtest/gtest.h>

#include "orvane/forms/add_device_form.h"
#include "orvane/forms/form_texts.h"

namespace orvane::forms {
namespace {

TEST(AddDeviceForm, ANewEntryShowsTheDefaults) {
  const auto form = openAddDeviceForm(PeerEntry{});
  EXPECT_EQ(form.deviceText, "1");
  EXPECT_FALSE(form.trax);
  EXPECT_EQ(form.modbusIp, (Ipv4Bytes{192, 168, 1, 1}));
  EXPECT_EQ(form.traxIp, form.modbusIp);
  EXPECT_EQ(form.portText, "502");
  EXPECT_EQ(form.unitText, "255");
  EXPECT_TRUE(checkAddDeviceForm(form).ok());
}

TEST(AddDeviceForm, Checks) {
  struct Row {
    std::string device;
    bool trax;
    Ipv4Bytes traxIp, modbusIp;
    std::string port, unit;
    FormField field;
  };
  const Ipv4Bytes ip{10, 0, 0, 7};
  const Row rows[] = {
      {"0", false, ip, ip, "65535", "0", FormField::None},
      {"90", true, ip, ip, "1", "255", FormField::None},
      {"91", false, ip, ip, "502", "1", FormField::DeviceNumber},
      {"-1", false, ip, ip, "502", "1", FormField::DeviceNumber},
      {"1", false, ip, ip, "0", "1", FormField::Port},
      {"1", false, ip, ip, "65536", "1", FormField::Port},
      {"1", false, ip, ip, "-5", "1", FormField::Port},
      {"1", false, ip, ip, "", "1", FormField::Port},
      {"1", false, ip, ip, "502", "256", FormField::UnitId},
      {"1", false, ip, ip, "502", "-1", FormField::UnitId},
      // Both addresses are checked whichever kind is selected, TRAX first.
      {"1", false, {192, 168, 0, 255}, ip, "502", "1", FormField::TraxIp},
      {"1", true, ip, {192, 168, 0, 255}, "502", "1", FormField::ModbusIp},
      {"1", true, {0, 0, 0, 0}, {127, 0, 0, 1}, "502", "1", FormField::TraxIp},
      {"91", true, {0, 0, 0, 0}, ip, "0", "256", FormField::DeviceNumber},
  };
  for (const auto& row : rows) {
    const AddDeviceForm form{row.device, row.trax, row.traxIp, row.modbusIp, row.port, row.unit};
    EXPECT_EQ(checkAddDeviceForm(form).field, row.field) << row.device << " " << row.port;
  }
  AddDeviceForm form = openAddDeviceForm(PeerEntry{});
  form.unitText = "256";
  EXPECT_EQ(checkAddDeviceForm(form).message, "单元ID号超出范围(0～255)!\n请重新输入。");
  form.portText = "0";
  EXPECT_EQ(checkAddDeviceForm(form).message, texts::kPort);
  form.deviceText = "91";
  EXPECT_EQ(checkAddDeviceForm(form).message, texts::kDeviceNumber);
}

TEST(AddDeviceForm, StoresTheSelectedKindsAddressAndKeepsReservedBytes) {
  PeerEntry entry;
  entry.reserved = {7, 8, 9};
  AddDeviceForm form{"12", true, {10, 0, 0, 8}, {10, 0, 0, 9}, "1502", "3"};
  applyAddDeviceForm(form, entry);
  EXPECT_EQ(entry, (PeerEntry{12, kPeerKindTrax, {10, 0, 0, 8}, 1502, 3, {7, 8, 9}}));
  form.trax = false;
  applyAddDeviceForm(form, entry);
  EXPECT_EQ(entry.kind, kPeerKindModbusTcp);
  EXPECT_EQ(entry.ip, (Ipv4Bytes{10, 0, 0, 9}));
}

}  // namespace
}  // namespace orvane::forms
