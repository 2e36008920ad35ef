#pragma once
// One request frame: SOH, command code, 0x01, parameters, ETB, check byte
// (XOR of everything between SOH and ETB), built in a fixed buffer together
// with the reply length the order expects.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace wirelet {

class OrderRequest {
 public:
  static constexpr std::size_t kCapacity = 1024;

  OrderRequest(std::uint8_t command, std::size_t expectedReply);

  OrderRequest& put(std::uint8_t byte);
  OrderRequest& putLoHi(std::uint16_t value);
  OrderRequest& putHiLo(std::uint16_t value);
  OrderRequest& putBigEndian32(std::uint32_t value);
  // Missing data (a null pointer for a non-zero count) refuses the request.
  OrderRequest& putBytes(const std::uint8_t* data, std::size_t count);
  // Appends ETB and the check byte.
  OrderRequest& finish();

  // A request that did not fit the buffer or lacked its data is never sent.
  bool refused() const { return refused_; }
  std::span<const std::uint8_t> bytes() const { return {bytes_.data(), length_}; }
  std::size_t expectedReply() const { return expectedReply_; }

 private:
  bool reserve(std::size_t count);

  std::array<std::uint8_t, kCapacity> bytes_{};
  std::size_t length_ = 0;
  std::size_t expectedReply_;
  bool refused_ = false;
};

// XOR of bytes[first..last], both included.
std::uint8_t xorOf(const std::uint8_t* bytes, std::size_t first, std::size_t last);

}  // namespace wirelet
