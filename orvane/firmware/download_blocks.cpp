#include "download_blocks.h"

#include <algorithm>

namespace orvane {

DownloadPlan planDownload(std::span<const std::uint8_t> payload) {
  DownloadPlan plan;
  const std::uint64_t length = payload.size();
  std::size_t offset = 0;
  std::uint16_t number = 0;
  while (offset < payload.size()) {
    const std::size_t n = std::min(kFirmwareBlockSize, payload.size() - offset);
    const std::size_t pad = (4 - n % 4) % 4;
    DownloadBlock block;
    block.number = ++number;
    block.offset = static_cast<std::uint32_t>(offset);
    block.dataBytes = n;
    block.bytes.assign(payload.begin() + static_cast<std::ptrdiff_t>(offset),
                       payload.begin() + static_cast<std::ptrdiff_t>(offset + n));
    block.bytes.resize(n + pad, kBlockPadding);
    for (std::size_t i = 0; i < n; ++i) plan.runningXor ^= block.bytes[i];
    block.progressAfter = static_cast<int>(kProgressDownloadStart + (offset + n) * 90 / length);
    plan.total += static_cast<std::uint32_t>(n + pad);
    plan.blocks.push_back(std::move(block));
    offset += n;
  }
  return plan;
}

}  // namespace orvane
