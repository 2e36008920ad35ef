// How images of the edge lengths are cut into blocks.
#include "orvane/firmware/download_blocks.h"

#include <gtest/gtest.h>

#include <numeric>

namespace orvane {
namespace {

std::vector<std::uint8_t> payloadOf(std::size_t size) {
  std::vector<std::uint8_t> payload(size);
  for (std::size_t i = 0; i < size; ++i) payload[i] = static_cast<std::uint8_t>(i * 13 + 1);
  return payload;
}

TEST(DownloadBlocks, EdgeLengths) {
  struct Block {
    std::uint16_t number;
    std::uint32_t offset;
    std::size_t data, sent;
    int progress;
  };
  struct Row {
    std::size_t payload;  // L - 1
    std::vector<Block> blocks;
    std::uint32_t total;
  };
  const Row rows[] = {
      {37, {{1, 0, 37, 40, 95}}, 40},                       // the 38-byte image
      {38, {{1, 0, 38, 40, 95}}, 40},
      {512, {{1, 0, 512, 512, 95}}, 512},
      {1000, {{1, 0, 512, 512, 51}, {2, 512, 488, 488, 95}}, 1000},
      {1001, {{1, 0, 512, 512, 51}, {2, 512, 489, 492, 95}}, 1004},
      {1026, {{1, 0, 512, 512, 49}, {2, 512, 512, 512, 94}, {3, 1024, 2, 4, 95}}, 1028},
  };
  for (const auto& row : rows) {
    const auto payload = payloadOf(row.payload);
    const auto plan = planDownload(payload);
    ASSERT_EQ(plan.blocks.size(), row.blocks.size()) << row.payload;
    EXPECT_EQ(plan.total, row.total) << row.payload;
    for (std::size_t i = 0; i < row.blocks.size(); ++i) {
      const auto& got = plan.blocks[i];
      const auto& want = row.blocks[i];
      EXPECT_EQ(got.number, want.number) << row.payload;
      EXPECT_EQ(got.offset, want.offset) << row.payload;
      EXPECT_EQ(got.dataBytes, want.data) << row.payload;
      EXPECT_EQ(got.bytes.size(), want.sent) << row.payload;
      EXPECT_EQ(got.progressAfter, want.progress) << row.payload;
      // The data as it stands, then 0xFF up to the multiple of 4.
      EXPECT_TRUE(std::equal(got.bytes.begin(), got.bytes.begin() + static_cast<long>(want.data),
                             payload.begin() + want.offset));
      for (std::size_t k = want.data; k < want.sent; ++k) EXPECT_EQ(got.bytes[k], 0xFF);
    }
  }
}

TEST(DownloadBlocks, LargestImageAndTheRunningXor) {
  const auto payload = payloadOf(393215);
  const auto plan = planDownload(payload);
  ASSERT_EQ(plan.blocks.size(), 768u);
  EXPECT_EQ(plan.blocks.back().number, 768);
  EXPECT_EQ(plan.blocks.back().offset, 767u * 512);
  EXPECT_EQ(plan.blocks.back().bytes.size(), 512u);  // 511 data bytes and one 0xFF
  EXPECT_EQ(plan.total, 393216u);
  EXPECT_EQ(plan.blocks.back().progressAfter, 95);
  // Progress never goes back and the padding stays out of the XOR.
  for (std::size_t i = 1; i < plan.blocks.size(); ++i)
    EXPECT_GE(plan.blocks[i].progressAfter, plan.blocks[i - 1].progressAfter);
  const auto check = std::accumulate(payload.begin(), payload.end(), std::uint8_t{0},
                                     [](std::uint8_t a, std::uint8_t b) { return static_cast<std::uint8_t>(a ^ b); });
  EXPECT_EQ(plan.runningXor, check);
  EXPECT_TRUE(planDownload({}).blocks.empty());
}

}  // namespace
}  // namespace orvane
