#include "orvane/firmware/firmware_image.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>

#include "test_support/temp_dir.h"

namespace {

using orvane::FirmwareKind;

// A well-formed image of `size` bytes with the given magic and version 4.1.2.3.
std::vector<std::uint8_t> makeImage(const char* magic, std::size_t size) {
  std::vector<std::uint8_t> bytes(size, 0x5A);
  std::memcpy(bytes.data(), magic, 10);
  bytes[32] = 3, bytes[33] = 2, bytes[34] = 1, bytes[35] = 4;
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < size; ++i) sum ^= bytes[i];
  bytes.back() = sum;
  return bytes;
}

TEST(FirmwareImage, AcceptsAndRejectsByLengthMagicAndCheckByte) {
  struct Row {
    const char* what;
    std::vector<std::uint8_t> bytes;
    bool valid;
  };
  auto badCheck = makeImage("M4-TRAX100", 100);
  badCheck.back() ^= 1;
  const Row rows[] = {
      {"38 bytes, check byte is the last header byte", makeImage("BOOTLOADER", 38), true},
      {"largest image", makeImage("M4-TRAX100", 393216), true},
      {"one byte too long", makeImage("M4-TRAX100", 393217), false},
      {"other model's magic", makeImage("P-TRAX100 ", 100), false},
      {"lower-case magic", makeImage("bootloader", 100), false},
      {"system magic but its tenth byte", makeImage("M4-TRAX10X", 100), false},
      {"boot magic but its tenth byte", makeImage("BOOTLOADEr", 100), false},
      {"wrong check byte", badCheck, false},
  };
  // The same verdict from memory and from a file.
  test_support::TempDir dir;
  for (const auto& row : rows) {
    EXPECT_EQ(orvane::checkFirmwareImage(row.bytes).has_value(), row.valid) << row.what;
    const auto path = dir.path() / "fw.bin";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(row.bytes.data()),
               static_cast<std::streamsize>(row.bytes.size()));
    EXPECT_EQ(orvane::checkFirmwareImageFile(path).has_value(), row.valid) << row.what << " (file)";
  }
  auto shortImage = makeImage("M4-TRAX100", 38);
  shortImage.pop_back();
  EXPECT_FALSE(orvane::checkFirmwareImage(shortImage));
}

TEST(FirmwareImage, ReportsKindVersionAndCheckByte) {
  const auto boot = orvane::checkFirmwareImage(makeImage("BOOTLOADER", 600));
  ASSERT_TRUE(boot);
  EXPECT_EQ(boot->kind, FirmwareKind::BootLoader);
  EXPECT_EQ(boot->version, (std::array<std::uint8_t, 4>{3, 2, 1, 4}));
  const auto system = orvane::checkFirmwareImage(makeImage("M4-TRAX100", 600));
  ASSERT_TRUE(system);
  EXPECT_EQ(system->kind, FirmwareKind::SystemProgram);
}

TEST(FirmwareImage, FileCheckKeepsTheBytesItChecked) {
  test_support::TempDir dir;
  const auto path = dir.path() / "fw.bin";
  const auto bytes = makeImage("M4-TRAX100", 1000);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 1000);

  const auto image = orvane::loadFirmwareImage(path);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->payload().size(), 999u);
  std::ofstream(path, std::ios::binary) << "changed";
  EXPECT_EQ(image->bytes, bytes);
  EXPECT_FALSE(orvane::checkFirmwareImageFile(path));
  EXPECT_FALSE(orvane::checkFirmwareImageFile(""));
  EXPECT_FALSE(orvane::checkFirmwareImageFile(dir.path() / "missing.bin"));
  const auto fifo = dir.path() / "fifo.bin";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(orvane::checkFirmwareImageFile(fifo));  // at once: no writer is waited for
}

}  // namespace
