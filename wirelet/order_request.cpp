#include "wirelet/order_request.h"

#include <algorithm>

#include "wirelet/link_bytes.h"

namespace wirelet {
namespace {
// ETB and the check byte always follow the parameters.
constexpr std::size_t kTrailer = 2;
}  // namespace

OrderRequest::OrderRequest(std::uint8_t command, std::size_t expectedReply)
    : expectedReply_(expectedReply) {
  bytes_[0] = kSoh;
  bytes_[1] = command;
  bytes_[2] = 0x01;
  length_ = 3;
}

bool OrderRequest::reserve(std::size_t count) {
  if (refused_ || count > kCapacity - kTrailer - length_) refused_ = true;
  return !refused_;
}

OrderRequest& OrderRequest::put(std::uint8_t byte) {
  if (reserve(1)) bytes_[length_++] = byte;
  return *this;
}

OrderRequest& OrderRequest::putLoHi(std::uint16_t value) {
  return put(static_cast<std::uint8_t>(value)).put(static_cast<std::uint8_t>(value >> 8));
}

OrderRequest& OrderRequest::putHiLo(std::uint16_t value) {
  return put(static_cast<std::uint8_t>(value >> 8)).put(static_cast<std::uint8_t>(value));
}

OrderRequest& OrderRequest::putBigEndian32(std::uint32_t value) {
  return putHiLo(static_cast<std::uint16_t>(value >> 16)).putHiLo(static_cast<std::uint16_t>(value));
}

OrderRequest& OrderRequest::putBytes(const std::uint8_t* data, std::size_t count) {
  if (count == 0) return *this;
  if (data == nullptr) refused_ = true;
  if (!reserve(count)) return *this;
  std::copy_n(data, count, bytes_.data() + length_);
  length_ += count;
  return *this;
}

OrderRequest& OrderRequest::finish() {
  if (refused_) return *this;
  bytes_[length_] = kEtb;
  bytes_[length_ + 1] = xorOf(bytes_.data(), 1, length_ - 1);
  length_ += kTrailer;
  return *this;
}

std::uint8_t xorOf(const std::uint8_t* bytes, std::size_t first, std::size_t last) {
  std::uint8_t check = 0;
  for (std::size_t i = first; i <= last; ++i) check ^= bytes[i];
  return check;
}

}  // namespace wirelet
