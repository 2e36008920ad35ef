#include "orvane/shell/app_version.h"

#include <gtest/gtest.h>

#include "trax_version.h"

namespace orvane {
namespace {

// The texts are compiled in under another language block than the one asked
// for, so the built-in texts stand beside the suite's own version numbers.
TEST(AppVersion, TheUnmatchedLanguageBlockLeavesTheBuiltInTexts) {
  EXPECT_EQ(queryVersionText("080403a8", "FileVersion"), TRAX_VERSION_TEXT);
  EXPECT_EQ(queryVersionText("080403a8", "SpecialBuild"), "");
  EXPECT_EQ(queryVersionText("040904b0", "CompanyName"), std::nullopt);
  const auto version = readAppVersion();
  EXPECT_EQ(version.originalFilename, "Orvane.EXE");
  EXPECT_EQ(version.fileVersion, "2, 0, 0, 0");
  EXPECT_EQ(version.legalTrademarks, "");
  EXPECT_EQ(version.numbers, (std::array<std::uint16_t, 4>{2, 0, 1, 1}));
}

}  // namespace
}  // namespace orvane
