#include "orvane/protocol/module_table.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#include "fake_modules.h"
#include "orvane/protocol/row_format.h"

namespace orvane {
namespace {

using namespace orvane::testing;

TEST(ModuleRecord, ResetAndSettingsCopy) {
  ModuleRecord r;
  r.mac = {1, 2, 3, 4, 5, 6};
  r.runMode = 2;
  r.addressMode = 0;
  resetRecord(r);
  EXPECT_EQ(r, ModuleRecord{});
  EXPECT_EQ(r.addressMode, 1);

  ModuleRecord from;
  from.moduleId = 12;
  from.runMode = 1;
  setTextField(from.name, "new");
  ModuleRecord to;
  to.runMode = 2;
  setTextField(to.name, "a much longer old name");
  settingsCopy(to, from);
  EXPECT_EQ(to.runMode, 2);  // never changed by a copy taken back
  EXPECT_EQ(to.moduleId, 12u);
  EXPECT_EQ(textField(to.name), "new");
  EXPECT_EQ(to.name[5], '\0');  // no trace of the longer text
}

TEST(ModuleRecord, TextFieldsStayInsideTheirArrays) {
  ModuleRecord r;
  setTextField(r.name, std::string(100, 'n'));
  EXPECT_EQ(textField(r.name).size(), 64u);
  r.name.fill('x');  // no terminator at all
  EXPECT_EQ(textField(r.name).size(), 65u);
}

TEST(ModuleTable, MoreThan256RepliesNeverWritePastTheTable) {
  ModuleTable table;
  for (int i = 0; i < 300; ++i) {
    FakeModule m;
    m.mac = macOf(i);
    EXPECT_EQ(table.appendDiscoveryReply(m.discoveryReply()), i < 256);
  }
  EXPECT_EQ(table.count(), 256);
  EXPECT_EQ(table.record(255)->mac, macOf(255));
  EXPECT_FALSE(table.record(256));
  EXPECT_FALSE(table.record(-1));
  EXPECT_FALSE(table.update(256, [](ModuleRecord&) { FAIL(); }));
  EXPECT_FALSE(table.append(ModuleRecord{}));
  table.resetAll();
  EXPECT_EQ(table.count(), 0);
  EXPECT_EQ(*table.record(17), ModuleRecord{});
}

// One module seen on two interfaces is two records; a row's key names which.
TEST(ModuleTable, LookupByMacFindsTheFirstInTableOrderOrZero) {
  ModuleTable table;
  for (int i : {5, 6, 6}) {
    ModuleRecord r;
    r.mac = macOf(i);
    r.moduleId = static_cast<std::uint32_t>(table.count());
    if (table.count() == 2) r.interfaceName = "eth1";
    table.append(r);
  }
  struct Row {
    std::string text;
    int index;
  };
  const Row rows[] = {
      {"00.11.22.33.00.05", 0}, {"00.11.22.33.00.06", 1}, {"00.11.22.33.00.6", 1},
      {"00.11.22.33.00.07", 0}, {"00.11.22.33.00", 0},    {"garbage", 0},
      {"", 0},
      {"00.11.22.33.00.06%eth1", 2}, {rowKeyText(*table.record(2)), 2},
      {"00.11.22.33.00.06%eth9", 0}, {"00.11.22.33.00.06%", 1},
  };
  for (const auto& row : rows) EXPECT_EQ(table.findByMacText(row.text), row.index) << row.text;
  // Records beyond the count never match, even reset ones with a zero MAC.
  EXPECT_EQ(table.findByMacText("00.00.00.00.00.00"), 0);
}

// A reader starts while a write is half done. With the table's lock it waits
// for the whole write; without it, it returns at once with half a record.
// Everything is joined before anything is checked.
TEST(ModuleTable, RecordsAreNeverSeenHalfWritten) {
  using Reader = ModuleRecord (*)(const ModuleTable&);
  const Reader readers[] = {
      [](const ModuleTable& t) { return *t.record(0); },
      [](const ModuleTable& t) { return t.snapshot().at(0); },
  };
  for (const Reader read : readers) {
    ModuleTable table;
    table.append(ModuleRecord{});
    std::future<ModuleRecord> seen;
    table.update(0, [&](ModuleRecord& r) {
      r.mac.fill(1);
      seen = std::async(std::launch::async, read, std::cref(table));
      seen.wait_for(std::chrono::milliseconds(200));  // long enough for a reader that does not wait
      r.currentIp.fill(1);
    });
    const auto r = seen.get();
    EXPECT_EQ(r.mac[0], r.currentIp[3]);
  }
}

}  // namespace
}  // namespace orvane
