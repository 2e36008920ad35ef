#include "firmware_image.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "platform/whole_file.h"

namespace orvane {
namespace {

constexpr char kSystemMagic[] = "M4-TRAX100";
constexpr char kBootMagic[] = "BOOTLOADER";
constexpr std::size_t kMagicSize = 10;

FirmwareKind kindOfMagic(std::span<const std::uint8_t> header) {
  if (std::memcmp(header.data(), kSystemMagic, kMagicSize) == 0) return FirmwareKind::SystemProgram;
  if (std::memcmp(header.data(), kBootMagic, kMagicSize) == 0) return FirmwareKind::BootLoader;
  return FirmwareKind::None;
}

}  // namespace

std::optional<FirmwareImageInfo> checkFirmwareImage(std::span<const std::uint8_t> image) {
  if (image.size() < kImageMinSize || image.size() > kImageMaxSize) return std::nullopt;
  FirmwareImageInfo info;
  info.kind = kindOfMagic(image);
  if (info.kind == FirmwareKind::None) return std::nullopt;
  std::copy_n(image.begin() + kImageVersionOffset, 4, info.version.begin());
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < image.size(); ++i) sum ^= image[i];
  info.checkByte = image.back();
  if (info.checkByte != sum) return std::nullopt;
  return info;
}

// Only a regular file is read: opening a FIFO would wait for a writer, and
// the compatibility check reads this file during every scan. Its size is
// looked at before its bytes, so a huge file is never read.
std::optional<FirmwareImage> loadFirmwareImage(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  std::error_code error;
  const auto length = std::filesystem::file_size(path, error);
  if (error || length < kImageMinSize || length > kImageMaxSize) return std::nullopt;
  auto contents = platform::readRegularFile(path);
  if (contents.status != platform::FileContents::Status::Read) return std::nullopt;
  FirmwareImage image;
  image.bytes.assign(contents.bytes.begin(), contents.bytes.end());
  const auto info = checkFirmwareImage(image.bytes);
  if (!info) return std::nullopt;
  image.info = *info;
  return image;
}

std::optional<FirmwareImageInfo> checkFirmwareImageFile(const std::filesystem::path& path) {
  const auto image = loadFirmwareImage(path);
  if (!image) return std::nullopt;
  return image->info;
}

}  // namespace orvane
