#include <gtest/gtest.h>

#include <fstream>

#include "sim/plc_sim/scenario.h"
#include "test_support/temp_dir.h"
#include "wirelet/tests/hex.h"

namespace {

using plc_sim::PlcMemory;
using wirelet_test::toHex;

TEST(PlcScenario, FillsBytesWordsAndAreas) {
  test_support::TempDir dir;
  const auto path = dir.path() / "plc.json";
  std::ofstream(path) << R"({
    "bytes": [ {"address": 15, "text": "z"},
               {"address": 358, "hex": "00 12 00 00 00 00 00 00 00 12"},
               {"address": 65534, "data": [1, "0xFF"]} ],
    "words": [ {"address": 16064, "data": [0, "0x0192", 168, 65535]} ],
    "areas": [ {"area": 190, "address": 4294967295, "data": [170, 187]} ]
  })";
  PlcMemory memory;
  EXPECT_EQ(plc_sim::loadScenario(path.string(), memory), std::nullopt);
  EXPECT_EQ(toHex(*memory.readBytes(14, 3)), "00 7A 00");
  EXPECT_EQ(toHex(*memory.readBytes(358, 10)), "00 12 00 00 00 00 00 00 00 12");
  EXPECT_EQ(toHex(*memory.readBytes(65534, 2)), "01 FF");
  EXPECT_EQ(*memory.readWords(16064, 4), (std::vector<std::uint16_t>{0, 0x0192, 168, 0xFFFF}));
  EXPECT_EQ(toHex(memory.readArea(190, 0xFFFFFFFF, 2)), "AA BB");
}

TEST(PlcScenario, RefusesWhatItCannotPlaceWithTheReason) {
  struct Row {
    const char* json;
    const char* reason;  // part of the error text
  };
  const Row rows[] = {
      {R"({"byte": []})", "unknown key \"byte\""},
      {R"({"bytes": [{"address": 1, "hex": "5"}]})", "pairs"},
      {R"({"bytes": [{"address": 1, "hex": "5G"}]})", "\"5G\""},
      {R"({"bytes": [{"address": 1, "data": [256]}]})", "256 is above 255"},
      {R"({"bytes": [{"address": 1, "data": [-1]}]})", "a number"},
      {R"({"bytes": [{"address": 1, "data": ["0x1Z"]}]})", "not a number"},
      {R"({"bytes": [{"address": 1, "data": [1], "text": "a"}]})", "exactly one"},
      {R"({"bytes": [{"data": [1]}]})", "\"address\" is missing"},
      {R"({"bytes": [{"address": 65535, "data": [1, 2]}]})", "runs past"},
      {R"({"bytes": [{"address": 70000, "data": [1]}]})", "bytes[0].address"},
      {R"({"words": [{"address": 1, "data": [65536]}]})", "words[0]"},
      {R"({"words": [{"address": 65535, "data": [1, 2]}]})", "runs past"},
      {R"({"areas": [{"address": 1, "data": [1]}]})", "\"area\" is missing"},
      {R"({"bytes": {}})", "a list is needed"},
      {R"({"bytes": [ )", "not valid JSON"},
      {R"([1, 2])", "an object is needed"},
  };
  for (const Row& row : rows) {
    PlcMemory memory;
    const auto error = plc_sim::applyScenario(row.json, memory);
    ASSERT_TRUE(error.has_value()) << row.json;
    EXPECT_NE(error->find(row.reason), std::string::npos) << row.json << " -> " << *error;
  }
  PlcMemory memory;
  EXPECT_NE(plc_sim::loadScenario("/nonexistent/plc.json", memory), std::nullopt);
}

}  // namespace
