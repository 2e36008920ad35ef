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
  const std::vector<std::vector<std::string>> rows = {
      {"--baud"},           {"--baud", "fast"}, {"--baud", "-1"}, {"--marker", "FF"},
      {"--nak", "2x"},      {"--frobnicate", "1"}, {"--frobnicate"}, {"stray"},
  };
  for (const auto& args : rows) {
    const auto parsed = parseOptions(args);
    EXPECT_FALSE(parsed.options) << args.front();
    EXPECT_FALSE(parsed.error.empty()) << args.front();
  }
}

}  // namespace
