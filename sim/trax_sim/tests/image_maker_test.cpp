#include "image_maker.h"

#include <gtest/gtest.h>

#include <cstring>

namespace trax_sim {
namespace {

TEST(ImageMaker, ImagesPassTheImageCheckRules) {
  struct Row {
    std::uint8_t kind;
    std::size_t size;
    const char* magic;
  } rows[] = {{2, 38, "M4-TRAX100"}, {1, 39, "BOOTLOADER"}, {2, 1001, "M4-TRAX100"}, {1, 393216, "BOOTLOADER"}};
  for (const auto& row : rows) {
    ImageSpec spec;
    spec.kind = row.kind;
    spec.size = row.size;
    spec.version = {5, 0, 1, 4};
    const Bytes image = makeImage(spec);
    ASSERT_EQ(image.size(), row.size);
    EXPECT_EQ(std::memcmp(image.data(), row.magic, 10), 0);
    EXPECT_EQ(xorOf(std::span(image).first(image.size() - 1)), image.back()) << row.size;
    EXPECT_EQ(image[32], 5);
    EXPECT_EQ(image[35], 4);
    EXPECT_NE(image[image.size() - 2], 0xFF);  // never taken for padding
  }
}

TEST(ImageMaker, BadCheckAndSizeLimits) {
  ImageSpec spec;
  spec.size = 100;
  spec.badCheck = true;
  const Bytes image = makeImage(spec);
  EXPECT_NE(xorOf(std::span(image).first(99)), image.back());
  spec.size = 37;
  EXPECT_THROW(makeImage(spec), std::runtime_error);
  spec.size = 393217;
  EXPECT_THROW(makeImage(spec), std::runtime_error);
}

TEST(ImageMaker, SameArgumentsSameBytesOtherSeedOtherBody) {
  ImageSpec spec;
  spec.size = 600;
  EXPECT_EQ(makeImage(spec), makeImage(spec));
  ImageSpec other = spec;
  other.seed = 2;
  EXPECT_NE(makeImage(spec), makeImage(other));
}

}  // namespace
}  // namespace trax_sim
