#pragma once
// Bounds-checked reads of a received reply. A reply is untrusted: a field
// beyond its end reads as 0, as if the datagram lay in a zero-filled buffer,
// so a short reply never reads past what was received.
#include <cstddef>
#include <cstdint>
#include <span>

namespace orvane {

class ReplyReader {
 public:
  explicit ReplyReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }

  std::uint8_t u8(std::size_t offset) const {
    return offset < bytes_.size() ? bytes_[offset] : 0;
  }
  std::uint16_t u16le(std::size_t offset) const {
    return static_cast<std::uint16_t>(u8(offset) | (u8(offset + 1) << 8));
  }
  std::uint32_t u32le(std::size_t offset) const {
    return static_cast<std::uint32_t>(u16le(offset)) |
           (static_cast<std::uint32_t>(u16le(offset + 2)) << 16);
  }
  // Copies dest.size() bytes starting at `offset`.
  template <typename T, std::size_t N>
  void copy(std::size_t offset, std::span<T, N> dest) const {
    for (std::size_t i = 0; i < dest.size(); ++i) dest[i] = static_cast<T>(u8(offset + i));
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace orvane
