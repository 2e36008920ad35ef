// The peer dialog's rows: their texts, the parse of the "配置" column, the
// edit's entry and what OK makes of the rows.
#include <gtest/gtest.h>

#include "orvane/forms/peer_rows.h"

namespace orvane::forms {
namespace {

PeerEntry modbus(std::uint8_t device, Ipv4Bytes ip, std::uint16_t port, std::uint8_t unit) {
  return {device, kPeerKindModbusTcp, ip, port, unit, {}};
}
PeerEntry trax(std::uint8_t device, Ipv4Bytes ip) {
  return {device, kPeerKindTrax, ip, 0, 0, {}};
}

TEST(PeerRows, RowTexts) {
  EXPECT_EQ(peerRow(modbus(3, {10, 0, 0, 7}, 502, 1)),
            (PeerRow{"3", "Modbus/TCP", "IP = 10.0.0.7, Port = 502, Unit ID = 1"}));
  EXPECT_EQ(peerRow(trax(90, {10, 0, 0, 8})), (PeerRow{"90", "TRAX", "IP = 10.0.0.8"}));
  auto other = modbus(0, {255, 255, 255, 255}, 65535, 255);
  other.kind = 7;  // any kind but 2 shows as Modbus/TCP
  EXPECT_EQ(peerRow(other), (PeerRow{"0", "Modbus/TCP",
                                     "IP = 255.255.255.255, Port = 65535, Unit ID = 255"}));
}

TEST(PeerRows, ParseOfTheConfigColumn) {
  using F = PeerConfig::Form;
  using Ip = std::array<std::optional<std::uint8_t>, 4>;
  struct Row {
    std::string text;
    F form;
    Ip ip;
    std::uint16_t port;
    std::uint8_t unit;
  };
  const auto none = std::nullopt;
  const Row rows[] = {
      {"IP = 10.0.0.7, Port = 502, Unit ID = 1", F::ModbusTcp, {10, 0, 0, 7}, 502, 1},
      {"IP = 10.0.0.8", F::Trax, {10, 0, 0, 8}, 0, 0},
      {"", F::Invalid, {}, 0, 0},
      {"IP = 1.2", F::Trax, {1, 2, none, none}, 0, 0},  // missing bytes stay
      {"IP = ", F::Trax, {0, none, none, none}, 0, 0},
      {"IP", F::Trax, {0, none, none, none}, 0, 0},
      {"IP = 300.1.2.3.4", F::Trax, {44, 1, 2, 3}, 0, 0},  // one byte each
      {",IP = 1.2.3.4", F::Trax, {1, 2, 3, 4}, 0, 0},      // a "," before position 2
      {"IP = 1.2.3.4,", F::Invalid, {}, 0, 0},              // nothing after the ","
      {"IP = 1.2.3.4, Port = 502", F::Invalid, {}, 0, 0},   // no second ","
      {"IP = 1.2.3.4, ,Unit ID = 1", F::Invalid, {}, 0, 0}, // second "," at position 1
      {"IP, Port = 502, Unit ID = 1", F::Invalid, {}, 0, 0},  // part 1 shorter than 5
      {"IP = 1.2.3.4, Port =, Unit ID = 1", F::Invalid, {}, 0, 0},  // part 2 shorter than 8
      {"IP = 1.2.3.4, Port = 5, Unit ID=", F::Invalid, {}, 0, 0},   // part 3 shorter than 11
      {"IP = 1.2.3.4, Port = 70000, Unit ID = 300", F::ModbusTcp, {1, 2, 3, 4}, 4464, 44},
      {"IP = 1.2.3.4, Port = x, Unit ID = y", F::ModbusTcp, {1, 2, 3, 4}, 0, 0},
      {"地址 = 1.2.3.4", F::Trax, {1, 2, 3, 4}, 0, 0},  // positions count characters
  };
  for (const auto& row : rows) {
    const auto c = parsePeerConfig(row.text);
    EXPECT_EQ(c.form, row.form) << row.text;
    if (c.form == F::Invalid) continue;
    EXPECT_EQ(c.ip, row.ip) << row.text;
    EXPECT_EQ(c.port, row.port) << row.text;
    EXPECT_EQ(c.unit, row.unit) << row.text;
  }
}

TEST(PeerRows, OkAppliesRowsOntoTheDialogsEntries) {
  auto kept = modbus(1, {10, 0, 0, 1}, 1502, 9);
  kept.reserved = {1, 2, 3};
  const std::vector<PeerEntry> opened{kept, kept, kept};
  const std::vector<PeerRow> rows{
      {"4", "TRAX", "IP = 10.0.0.8"},                               // port and unit kept
      {"5", "Modbus/TCP", "IP = 10.0.0.9, Port = 502, Unit ID = 2"},
      {"6", "?", "broken, text"},                                   // all but the device kept
      {"7", "TRAX", "IP = 10.0.0.10"},                              // beyond the opened entries
  };
  const auto entries = peerEntriesFromRows(rows, opened);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0], (PeerEntry{4, kPeerKindTrax, {10, 0, 0, 8}, 1502, 9, {1, 2, 3}}));
  EXPECT_EQ(entries[1], (PeerEntry{5, kPeerKindModbusTcp, {10, 0, 0, 9}, 502, 2, {1, 2, 3}}));
  EXPECT_EQ(entries[2], (PeerEntry{6, kPeerKindModbusTcp, {10, 0, 0, 1}, 1502, 9, {1, 2, 3}}));
  EXPECT_EQ(entries[3], (PeerEntry{7, kPeerKindTrax, {10, 0, 0, 10}, 502, 255, {}}));
  EXPECT_TRUE(peerEntriesFromRows({}, opened).empty());  // delete all, then OK: count 0

  const std::vector<PeerRow> many(31, PeerRow{"1", "TRAX", "IP = 1.1.1.1"});
  EXPECT_EQ(peerEntriesFromRows(many, opened).size(), 30u);
}

TEST(PeerRows, ATableThroughTheDialogUnchangedStaysByteIdentical) {
  std::vector<PeerEntry> table;
  for (int i = 0; i < 30; ++i) {
    auto e = i % 2 ? trax(static_cast<std::uint8_t>(i), {192, 168, 10, static_cast<std::uint8_t>(i)})
                   : modbus(static_cast<std::uint8_t>(90 - i), {10, 1, 2, 3}, 60000, 255);
    e.port = static_cast<std::uint16_t>(i * 1000 + 1);
    e.reserved = {static_cast<std::uint8_t>(i), 0xFF, 0x80};
    table.push_back(e);
  }
  std::vector<PeerRow> rows;
  for (const auto& e : table) rows.push_back(peerRow(e));
  EXPECT_EQ(peerEntriesFromRows(rows, table), table);
}

TEST(PeerRows, EditRebuildsOnTheDefaultEntry) {
  auto edited = entryForEdit({"9", "TRAX", "IP = 10.0.0.8"});
  EXPECT_TRUE(edited.parsed);
  EXPECT_EQ(edited.entry, (PeerEntry{9, kPeerKindTrax, {10, 0, 0, 8}, 502, 255, {}}));
  edited = entryForEdit({"12", "Modbus/TCP", ""});
  EXPECT_FALSE(edited.parsed);
  PeerEntry expected;
  expected.device = 12;
  EXPECT_EQ(edited.entry, expected);
}

}  // namespace
}  // namespace orvane::forms
