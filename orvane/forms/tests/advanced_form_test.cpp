// The advanced settings dialog without its window.
#include <gtest/gtest.h>

#include "orvane/forms/advanced_form.h"
#include "orvane/forms/form_texts.h"

namespace orvane::forms {
namespace {

TEST(AdvancedForm, ChecksAndStoredValues) {
  struct Row {
    std::string master, slave;
    FormField field;
    std::uint32_t storedMaster, storedSlave;
  };
  const Row rows[] = {
      {"500", "30", FormField::None, 500, 30},
      {"0", "30", FormField::MasterTimeout, 0, 0},
      {"abc", "30", FormField::MasterTimeout, 0, 0},
      {"", "30", FormField::MasterTimeout, 0, 0},
      {"500", "0", FormField::SlaveTimeout, 0, 0},
      {"0", "0", FormField::MasterTimeout, 0, 0},  // master first
      {"5abc", "1", FormField::None, 5, 1},
      {"-1", "4294967295", FormField::None, 4294967295u, 4294967295u},
      {"4294967296", " 7", FormField::None, 4294967295u, 7},
  };
  for (const auto& row : rows) {
    AdvancedSettings s;
    s.mac = {1, 2, 3, 4, 5, 6};
    s.reservedA = 0xA1A2A3A4;
    s.reservedB = 0xB1B2B3B4;
    s.reservedByte = 0xC5;
    const AdvancedForm form{row.master, row.slave};
    const auto check = checkAdvancedForm(form);
    EXPECT_EQ(check.field, row.field) << row.master << "/" << row.slave;
    if (!check.ok()) continue;
    auto expected = s;
    applyAdvancedForm(form, s);
    expected.masterTimeoutMs = row.storedMaster;
    expected.slaveTimeoutSec = row.storedSlave;
    EXPECT_EQ(s, expected) << row.master;
  }
  EXPECT_EQ(checkAdvancedForm({"0", "1"}).message, "主机时间超出范围(1～4294967295)!\n请重新输入。");
  EXPECT_EQ(checkAdvancedForm({"1", "x"}).message, texts::kSlaveTimeout);
}

TEST(AdvancedForm, OpensWithBothValuesInDecimal) {
  AdvancedSettings s;
  s.masterTimeoutMs = 4294967295u;
  s.slaveTimeoutSec = 60;
  const auto form = openAdvancedForm(s);
  EXPECT_EQ(form.masterText, "4294967295");
  EXPECT_EQ(form.slaveText, "60");
}

}  // namespace
}  // namespace orvane::forms
