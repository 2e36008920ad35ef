#include <gtest/gtest.h>

#include "sim/plc_sim/sim_options.h"

namespace {

using plc_sim::parseOptions;

TEST(PlcSimOptions, TakesEveryOptionAndFault) {
  const auto parsed = parseOptions({"--scenario", "plc.json", "--baud", "9600", "--log", "--nak-gap", "20",
                                    "--no-enquiry-answer", "--enquiry-nak", "--nak", "3", "--bad-check",
                                    "--marker", "FD", "--stop-half", "--bad-first-byte"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const auto& o = *parsed.options;
  EXPECT_EQ(o.scenarioPath, "plc.json");
  EXPECT_EQ(o.baud, 9600u);
  EXPECT_TRUE(o.log);
  EXPECT_EQ(o.nakGapMs, 20u);
  EXPECT_TRUE(o.faults.noEnquiryAnswer && o.faults.enquiryNak && o.faults.badCheck);
  EXPECT_TRUE(o.faults.stopHalfWay && o.faults.badFirstByte);
  EXPECT_EQ(o.faults.naks, 3);
  EXPECT_EQ(o.faults.marker, std::optional<std::uint8_t>(0xFD));

  const auto plain = parseOptions({});
  ASSERT_TRUE(plain.options);
  EXPECT_EQ(plain.options->baud, 0u);
  EXPECT_FALSE(plain.options->faults.marker);
}

TEST(PlcSimOptions, RefusesWhatItDoesNotKnow) {
  struct Row {
    std::vector<std::string> args;
    std::string error;
  };
  const Row rows[] = {
      {{"--baud"}, "--baud needs a value"},
      {{"--baud", "fast"}, "--baud: \"fast\" is not a number of bits per second"},
      {{"--baud", "-1"}, "--baud: \"-1\" is not a number of bits per second"},
      {{"--nak-gap", "x"}, "--nak-gap: \"x\" is not a number of milliseconds"},
      {{"--marker", "FF"}, "--marker takes FC, FD or FE"},
      {{"--nak", "2x"}, "--nak: \"2x\" is not a number of NAKs"},
      {{"--frobnicate", "1"}, "unknown option --frobnicate"},
      {{"--frobnicate"}, "unknown option --frobnicate"},
      {{"--log", "--frobnicate"}, "unknown option --frobnicate"},
      {{"stray"}, "unexpected argument stray"},
  };
  for (const auto& row : rows) {
    const auto parsed = parseOptions(row.args);
    EXPECT_FALSE(parsed.options) << row.args.front();
    EXPECT_EQ(parsed.error, row.error);
  }
}

}  // namespace
