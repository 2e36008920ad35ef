// Image files of any content: the image check never reads past the bytes,
// and an image it accepts is cut into blocks that cover exactly its bytes
// but the check byte, are padded with 0xFF to a multiple of 4, and XOR to
// the check byte.
#include <cstdlib>

#include "orvane/firmware/download_blocks.h"
#include "orvane/firmware/firmware_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto info = orvane::checkFirmwareImage(bytes);
  if (!info) return 0;
  const auto payload = bytes.first(size - 1);
  const auto plan = orvane::planDownload(payload);
  std::size_t offset = 0;
  for (const auto& block : plan.blocks) {
    if (block.offset != offset || block.bytes.size() % 4 != 0 || block.bytes.size() > 512 ||
        block.progressAfter < 5 || block.progressAfter > 95)
      std::abort();
    for (std::size_t i = 0; i < block.bytes.size(); ++i) {
      const std::uint8_t expected = i < block.dataBytes ? payload[offset + i] : 0xFF;
      if (block.bytes[i] != expected) std::abort();
    }
    offset += block.dataBytes;
  }
  if (offset != payload.size() || plan.runningXor != info->checkByte || plan.total % 4 != 0 ||
      plan.total < payload.size() || plan.total > payload.size() + 3)
    std::abort();
  return 0;
}
