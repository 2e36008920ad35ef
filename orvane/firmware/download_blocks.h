#pragma once
// How an image goes to the module: every byte but the check byte, in blocks
// of 512 bytes (the last one shorter), each padded with 0xFF to a multiple
// of 4. Offsets count the unpadded bytes sent before the block; the running
// XOR covers the data only, so over a valid image it equals the check byte.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvane {

inline constexpr std::size_t kFirmwareBlockSize = 512;
inline constexpr std::uint8_t kBlockPadding = 0xFF;

// Progress reports of the download: 5 before the first block, then
// 5 + (offset + n) x 90 / (L - 1) after each block, 95 after the last.
inline constexpr int kProgressDownloadStart = 5;

struct DownloadBlock {
  std::uint16_t number = 0;  // from 1
  std::uint32_t offset = 0;
  std::size_t dataBytes = 0;       // n, before padding
  std::vector<std::uint8_t> bytes;  // n + pad bytes, as sent
  int progressAfter = 0;
};

struct DownloadPlan {
  std::vector<DownloadBlock> blocks;
  std::uint32_t total = 0;      // bytes sent, padding of the last block included
  std::uint8_t runningXor = 0;  // of the data bytes
};

// The blocks of `payload` (the image without its check byte, L - 1 bytes,
// at most 393215). An empty payload gives no blocks.
DownloadPlan planDownload(std::span<const std::uint8_t> payload);

}  // namespace orvane
