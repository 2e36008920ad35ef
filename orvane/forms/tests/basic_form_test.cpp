// The basic settings dialog without its window: opening, radio clicks, the
// OK checks in their order and what OK stores.
#include <gtest/gtest.h>

#include "orvane/forms/basic_form.h"
#include "orvane/forms/form_texts.h"
#include "platform/gbk.h"

namespace orvane::forms {
namespace {

std::string repeat(std::string_view unit, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += unit;
  return s;
}

ModuleRecord module() {
  ModuleRecord r;
  r.moduleId = 12;
  setTextField(r.name, platform::utf8ToGbk("一号线主站"));
  setTextField(r.description, platform::utf8ToGbk("机架 0 槽 2"));
  r.addressMode = 1;
  r.ipAddress = {192, 168, 1, 10};
  r.subnetMask = {255, 255, 255, 0};
  r.gateway = {192, 168, 1, 1};
  r.currentIp = {10, 0, 0, 5};
  r.currentMask = {255, 0, 0, 0};
  r.currentGateway = {10, 0, 0, 1};
  return r;
}

TEST(BasicForm, Opening) {
  auto r = module();
  auto f = openBasicForm(r, 0);
  EXPECT_EQ(f.idText, "12");
  EXPECT_TRUE(f.idEnabled);
  EXPECT_EQ(f.idMaximum, 999999999u);
  EXPECT_EQ(f.name, "一号线主站");
  EXPECT_FALSE(f.automatic);
  EXPECT_EQ(f.ip, r.ipAddress);
  EXPECT_TRUE(f.addressesEnabled);

  r.fixedId = 5;
  r.addressMode = 0;
  f = openBasicForm(r, 0);
  EXPECT_EQ(f.idText, "5");
  EXPECT_FALSE(f.idEnabled);
  EXPECT_TRUE(f.automatic);
  EXPECT_EQ(f.ip, r.currentIp);  // automatic: the addresses in use, disabled
  EXPECT_EQ(f.gateway, r.currentGateway);
  EXPECT_FALSE(f.addressesEnabled);

  f = openBasicForm(r, 1);  // serial: moduleId, range 0-90, addresses in use
  EXPECT_EQ(f.idText, "12");
  EXPECT_TRUE(f.idEnabled);
  EXPECT_EQ(f.idMaximum, 90u);
  EXPECT_FALSE(f.textsEnabled);
  EXPECT_FALSE(f.radiosEnabled);
  EXPECT_FALSE(f.automatic);
  EXPECT_EQ(f.ip, r.currentIp);
  EXPECT_TRUE(f.addressesEnabled);
}

TEST(BasicForm, RadioClicksShowWithoutChanging) {
  const auto r = module();
  auto f = openBasicForm(r, 0);
  chooseAddressing(f, r, true);
  EXPECT_EQ(f.ip, r.currentIp);
  EXPECT_FALSE(f.addressesEnabled);
  chooseAddressing(f, r, false);
  EXPECT_EQ(f.ip, r.ipAddress);
  EXPECT_EQ(f.mask, r.subnetMask);
  EXPECT_TRUE(f.addressesEnabled);
  EXPECT_EQ(r, module());
}

TEST(BasicForm, FieldChecks) {
  struct Row {
    int mode;
    std::string name, description, id;
    Ipv4Bytes ip;
    FormField field;
  };
  const Ipv4Bytes good{192, 168, 1, 10};
  const Row rows[] = {
      {0, repeat("a", 64), repeat("d", 256), "999999999", good, FormField::None},
      {0, repeat("名", 64), repeat("述", 256), "0", good, FormField::None},
      {0, repeat("a", 65), "", "1", good, FormField::Name},
      {0, repeat("名", 65), "", "1", good, FormField::Name},
      {0, "", repeat("d", 257), "1", good, FormField::Description},
      {0, "", "", "1000000000", good, FormField::ModuleId},
      {0, "", "", "-1", good, FormField::ModuleId},
      {0, "", "", "99999999999", good, FormField::ModuleId},
      {0, "", "", "", good, FormField::None},
      {1, "", "", "90", good, FormField::None},
      {1, "", "", "91", good, FormField::ModuleId},
      {0, "", "", "1", {0, 0, 0, 0}, FormField::IpAddress},
      {0, "", "", "1", {127, 0, 0, 0}, FormField::IpAddress},
      {0, "", "", "1", {127, 0, 0, 1}, FormField::IpAddress},
      {0, "", "", "1", {224, 0, 0, 1}, FormField::IpAddress},
      {0, "", "", "1", {255, 255, 255, 255}, FormField::IpAddress},
      {0, "", "", "1", {192, 168, 1, 255}, FormField::IpAddress},
      {0, "", "", "1", {192, 168, 1, 0}, FormField::None},
      {0, "", "", "1", {223, 255, 255, 254}, FormField::None},
      {0, "", "", "1", {0, 1, 2, 3}, FormField::None},
      {0, "", "", "1", {127, 0, 0, 5}, FormField::None},
      // The first failure in the order name, description, ID, IP.
      {0, repeat("a", 65), repeat("d", 257), "1000000000", {0, 0, 0, 0}, FormField::Name},
      {0, "", repeat("d", 257), "1000000000", {0, 0, 0, 0}, FormField::Description},
      {0, "", "", "1000000000", {0, 0, 0, 0}, FormField::ModuleId},
  };
  for (const auto& row : rows) {
    BasicForm f;
    f.mode = row.mode;
    f.name = row.name;
    f.description = row.description;
    f.idText = row.id;
    f.ip = row.ip;
    EXPECT_EQ(checkBasicForm(f).field, row.field) << row.name.size() << " " << row.id;
  }
}

TEST(BasicForm, Messages) {
  BasicForm f;
  f.ip = {10, 0, 0, 1};
  f.name = repeat("a", 65);
  EXPECT_EQ(checkBasicForm(f).message, texts::kNameTooLong);
  f.name.clear();
  f.idText = "91";
  f.mode = 1;
  EXPECT_EQ(checkBasicForm(f).message, "模块ID号超出范围(0～90)!\n请重新输入。");
  f.mode = 0;
  f.idText = "1000000000";
  EXPECT_EQ(checkBasicForm(f).message, "模块ID号超出范围(0～999999999)!\n请重新输入。");
  f.idText = "1";
  f.ip = {1, 2, 3, 255};
  EXPECT_EQ(checkBasicForm(f).message, texts::kIpInvalid);
}

TEST(BasicForm, AutomaticAddressingChecksTheAddressInUse) {
  auto r = module();
  r.addressMode = 0;
  r.currentIp = {0, 0, 0, 0};
  EXPECT_EQ(checkBasicForm(openBasicForm(r, 0)).field, FormField::IpAddress);
}

TEST(BasicForm, StoringOnTheNetworkRoute) {
  auto r = module();
  r.fixedId = 5;
  auto f = openBasicForm(r, 0);
  f.description = "短";
  chooseAddressing(f, r, true);
  ASSERT_TRUE(checkBasicForm(f).ok());
  applyBasicForm(f, r);
  EXPECT_EQ(r.moduleId, 5u);  // the fixed ID shown in the disabled edit
  EXPECT_EQ(textField(r.description), platform::utf8ToGbk("短"));
  for (std::size_t i = 2; i < r.description.size(); ++i) EXPECT_EQ(r.description[i], 0) << i;
  EXPECT_EQ(r.addressMode, 0);
  EXPECT_EQ(r.ipAddress, (Ipv4Bytes{10, 0, 0, 5}));  // the addresses in use become the manual ones
  EXPECT_EQ(r.gateway, (Ipv4Bytes{10, 0, 0, 1}));
}

TEST(BasicForm, GbkCutNeverSplitsACharacter) {
  struct Row {
    std::string utf8;
    std::size_t storedBytes;
  };
  const Row names[] = {
      {repeat("名", 40), 64},        // 80 bytes cut to 64
      {"a" + repeat("名", 40), 63},  // the 64th byte would be half a character
      {repeat("a", 64), 64},
      {"ab" + repeat("名", 31) + "c", 64},
  };
  for (const auto& row : names) {
    auto r = module();
    auto f = openBasicForm(r, 0);
    f.name = row.utf8;
    applyBasicForm(f, r);
    const auto stored = textField(r.name);
    EXPECT_EQ(stored.size(), row.storedBytes) << row.utf8;
    EXPECT_EQ(platform::utf8ToGbk(row.utf8).substr(0, stored.size()), stored);
    EXPECT_EQ(platform::gbkSafePrefixLength(stored, 64), stored.size());
  }
  auto r = module();
  auto f = openBasicForm(r, 0);
  f.description = "x" + repeat("述", 200);
  applyBasicForm(f, r);
  EXPECT_EQ(textField(r.description).size(), 255u);
  EXPECT_EQ(r.description[255], 0);
}

TEST(BasicForm, StoringOnTheSerialRoute) {
  auto r = module();
  auto f = openBasicForm(r, 1);
  f.idText = "90";
  f.name = "忽略";
  f.ip = {10, 1, 2, 3};
  applyBasicForm(f, r);
  EXPECT_EQ(r.moduleId, 90u);
  EXPECT_EQ(nameUtf8(r), "一号线主站");
  EXPECT_EQ(r.addressMode, 1);
  EXPECT_EQ(r.currentIp, (Ipv4Bytes{10, 1, 2, 3}));
  EXPECT_EQ(r.ipAddress, (Ipv4Bytes{192, 168, 1, 10}));
}

}  // namespace
}  // namespace orvane::forms
