// The PLC model behind the serial route: scenario "plc" section, mailbox,
// MAC table, word areas and the command-word handshake, driven through the
// orders as Wirelet frames them.
#include <gtest/gtest.h>

#include "sim/plc_sim/order_executor.h"
#include "sim/plc_sim/plc_model.h"
#include "sim/plc_sim/scenario.h"
#include "wirelet/order_requests.h"
#include "wirelet/tests/hex.h"

namespace {

using namespace wirelet::orders;
using plc_sim::PlcMemory;
using plc_sim::PlcModel;
using wirelet::OrderRequest;
using wirelet_test::toHex;
using Bytes = std::vector<std::uint8_t>;

const char* const kScenario = R"({"plc": {
  "family": "z", "text": "VT-PLC I/O Base",
  "modules": [
    {"group": 0, "slot": 1, "mac": "00:1A:2B:3C:4D:5E", "text": "TRAX ETHERNET MODULE 1.05",
     "ip": "192.168.1.5", "mask": "255.255.255.0", "gateway": "192.168.1.1", "station": 12},
    {"group": 1, "slot": 1, "mac": "00.1A.2B.3C.4D.5F", "text": "SECOND"},
    {"group": 0, "slot": 2, "mac": "00-1A-2B-3C-4D-60", "answer": 3, "words": [0, "0x0300"]},
    {"group": 0, "slot": 0, "refuseMacRead": true}
  ]}})";

class PlcModelTest : public ::testing::Test {
 protected:
  PlcModelTest() { EXPECT_EQ(plc_sim::applyScenario(kScenario, memory, model), std::nullopt); }
  Bytes run(const OrderRequest& request) {
    const Bytes bytes(request.bytes().begin(), request.bytes().end());
    return plc_sim::carryOut(bytes, memory, &model);
  }
  // The payload of a reply: between the four leading and the two closing bytes.
  std::string payload(const OrderRequest& request) {
    const Bytes reply = run(request);
    return toHex(std::span(reply).subspan(4, reply.size() - 6));
  }
  std::string mailbox(std::uint8_t request) {
    run(order51(1088, 1, &request));
    return payload(order50(1089, 25));
  }
  std::vector<std::uint16_t> words(std::size_t address, std::size_t count) {
    return *memory.readWords(address, count);
  }

  PlcMemory memory;
  PlcModel model;
};

TEST_F(PlcModelTest, PlacesFamilySlotTableAndWordAreas) {
  EXPECT_EQ(payload(order50(15, 1)), "7A");
  // Slot table from 355: entries 0, 1, 2 and 9 (group 1 slot 1) hold 0x12.
  const std::string table = payload(order50(355, 44));
  EXPECT_EQ(table.substr(0, 3 * 13), "00 00 00 12 12 12 00 00 00 00 00 00 12 ");
  // Position 1: IP 192.168.1.5 last octet first, mask, gateway, station 12.
  EXPECT_EQ(words(16080, 16), (std::vector<std::uint16_t>{0, 0x5, 0x1, 0x168, 0x192, 0, 0x255, 0x255,
                                                          0x255, 0x1, 0x1, 0x168, 0x192, 0x12, 0, 0}));
  EXPECT_EQ(words(16096, 2), (std::vector<std::uint16_t>{0, 0x0300}));  // raw words win
}

TEST_F(PlcModelTest, MailboxAnswersThePlcAndEachPosition) {
  struct Row {
    std::uint8_t request;
    std::string text;
  };
  const Row rows[] = {
      {0x80, "VT-PLC I/O Base"},
      {0x84, "TRAX ETHERNET MODULE 1.05"},  // position 1 = 0x80 | (1 + 3)
      {0x8C, "SECOND"},                     // group 1 slot 1 = position 9
      {0x85, ""},                           // position 2 has no text
      {0x90, ""},                           // nothing at position 13
      {0x00, ""},
  };
  for (const Row& row : rows) {
    std::string expected;
    for (std::size_t i = 0; i < 25; ++i) {
      const auto c = i < row.text.size() ? static_cast<std::uint8_t>(row.text[i]) : 0;
      char hex[4];
      std::snprintf(hex, sizeof hex, i ? " %02X" : "%02X", c);
      expected += hex;
    }
    EXPECT_EQ(mailbox(row.request), expected) << int(row.request);
  }
}

TEST_F(PlcModelTest, MacTableAnswersBySlotAndRefusesWhereAsked) {
  EXPECT_EQ(payload(order61_12(0xBE, 1, 7)), "00 1A 2B 3C 4D 5E 00");  // lowest group in slot 1
  EXPECT_EQ(payload(order61_12(0xBE, 2, 7)), "00 1A 2B 3C 4D 60 00");
  EXPECT_EQ(payload(order61_12(0xBE, 5, 7)), "00 00 00 00 00 00 00");  // empty slot
  EXPECT_EQ(run(order61_12(0xBE, 0, 7))[3], 0xFC);                     // refused
  EXPECT_EQ(payload(order61_12(0xBD, 1, 2)), "00 00");                  // other areas stay plain
}

TEST_F(PlcModelTest, CommandWordIsTakenOrAnsweredWithTheStatusCode) {
  const Bytes take{0x50, 0x00};
  const Bytes other{0x51, 0x00};
  run(order46(16080 + 14, 1, other.data()));
  EXPECT_EQ(words(16080 + 14, 1)[0], 0x0051);  // not the command: nothing happens
  run(order46(16080 + 14, 1, take.data()));
  EXPECT_EQ(words(16080, 1)[0], 0);
  EXPECT_EQ(words(16080 + 14, 1)[0], 0x00A0);
  run(order46(16096 + 14, 1, take.data()));
  EXPECT_EQ(words(16096, 1)[0], 0x0300);  // status code 3 in the high byte
  EXPECT_EQ(words(16096 + 14, 1)[0], 0x0050);
  run(order46(16064 + 14, 1, take.data()));  // position 0 is listed but its words were never set
  EXPECT_EQ(words(16064 + 14, 1)[0], 0x00A0);
}

TEST(PlcScenarioSection, RefusesWhatItCannotPlaceWithTheReason) {
  struct Row {
    const char* json;
    const char* reason;
  };
  const Row rows[] = {
      {R"({"plc": {"familly": "z"}})", "unknown key \"familly\""},
      {R"({"plc": {"family": "zz"}})", "one letter"},
      {R"({"plc": {"modules": [{"slot": 1}]}})", "\"group\" and \"slot\""},
      {R"({"plc": {"modules": [{"group": 4, "slot": 1}]}})", "4 is above 3"},
      {R"({"plc": {"modules": [{"group": 0, "slot": 8}]}})", "8 is above 7"},
      {R"({"plc": {"modules": [{"group": 0, "slot": 1, "mac": "00:11"}]}})", "six bytes"},
      {R"({"plc": {"modules": [{"group": 0, "slot": 1, "ip": "1.2.3"}]}})", "a.b.c.d"},
      {R"({"plc": {"modules": [{"group": 0, "slot": 1, "ip": "1.2.3.256"}]}})", "a.b.c.d"},
      {R"({"plc": {"modules": [{"group": 0, "slot": 1, "station": 1000}]}})", "above 999"},
      {R"({"plc": {"modules": [{"group": 0, "slot": 1, "answer": "maybe"}]}})", "not a number"},
      {R"({"plc": {"modules": [{"group": 0, "slot": 1, "refuseMacRead": 1}]}})", "true or false"},
      {R"({"plc": {"modules": [{"group": 0, "slot": 1}, {"group": 0, "slot": 1}]}})", "taken twice"},
      {R"({"plc": {"modules": [{"group": 0, "slot": 1, "words": [1,2,3,4,5,6,7,8,9,0,1,2,3,4,5,6,7]}]}})",
       "at most 16"},
  };
  for (const Row& row : rows) {
    PlcMemory memory;
    PlcModel model;
    const auto error = plc_sim::applyScenario(row.json, memory, model);
    ASSERT_TRUE(error.has_value()) << row.json;
    EXPECT_NE(error->find(row.reason), std::string::npos) << row.json << " -> " << *error;
  }
}

}  // namespace

TEST(PlcScenarioSection, ShippedDemoScenarioLoads) {
  PlcMemory memory;
  PlcModel model;
  EXPECT_EQ(plc_sim::loadScenario(TRAX_SOURCE_DIR "/sim/plc_sim/scenarios/demo.json", memory, model),
            std::nullopt);
  EXPECT_EQ(memory.readBytes(15, 1), (std::optional<std::vector<std::uint8_t>>{{std::uint8_t{'z'}}}));
}
