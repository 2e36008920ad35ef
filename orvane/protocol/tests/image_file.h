#pragma once
// Writes firmware image files for the tests of the compatibility check.
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

namespace orvane::testing {

inline std::vector<std::uint8_t> firmwareImage(std::array<std::uint8_t, 4> version,
                                               std::string_view magic = "M4-TRAX100",
                                               std::size_t size = 64) {
  std::vector<std::uint8_t> image(size, 0x5A);
  std::copy(magic.begin(), magic.end(), image.begin());
  std::copy(version.begin(), version.end(), image.begin() + 32);
  std::uint8_t check = 0;
  for (std::size_t i = 0; i + 1 < image.size(); ++i) check ^= image[i];
  image.back() = check;
  return image;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace orvane::testing
