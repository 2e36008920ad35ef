#pragma once
// Firmware image files: one format for both programs a module carries, its
// boot loader and its system program.
//
//   0..9    magic: "M4-TRAX100" (system program) or "BOOTLOADER" (boot loader)
//   32..35  image version, in the modules' byte order (byte 35 shown first)
//   L-1     check byte: XOR of bytes 0..L-2
//
// The header is part of the image: everything but the check byte is downloaded.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace orvane {

enum class FirmwareKind : std::uint8_t { None = 0, BootLoader = 1, SystemProgram = 2 };

inline constexpr std::size_t kImageHeaderSize = 38;
inline constexpr std::size_t kImageMinSize = 38;
inline constexpr std::size_t kImageMaxSize = 0x60000;  // 393216
inline constexpr std::size_t kImageVersionOffset = 32;

struct FirmwareImageInfo {
  FirmwareKind kind = FirmwareKind::None;
  std::array<std::uint8_t, 4> version{};  // byte 3 is the major number
  std::uint8_t checkByte = 0;
};

// The image check on bytes already in memory.
std::optional<FirmwareImageInfo> checkFirmwareImage(std::span<const std::uint8_t> image);

// The image check on a file: an empty path, a missing file, anything but a
// regular file (a FIFO fails at once), a wrong length, an unknown magic or a
// wrong check byte all fail.
std::optional<FirmwareImageInfo> checkFirmwareImageFile(const std::filesystem::path& path);

// A checked image kept in memory, so that what is downloaded is exactly what
// was checked even if the file changes afterwards.
struct FirmwareImage {
  FirmwareImageInfo info;
  std::vector<std::uint8_t> bytes;  // the whole file, check byte included

  std::span<const std::uint8_t> payload() const {  // every byte but the check byte
    return std::span<const std::uint8_t>(bytes).first(bytes.size() - 1);
  }
};

// Reads the file once and checks those bytes.
std::optional<FirmwareImage> loadFirmwareImage(const std::filesystem::path& path);

}  // namespace orvane
