// Conversions and the check byte on arbitrary text and widths: every output
// goes to a heap block of exactly n characters, so a write outside shows.
#include <cstdint>
#include <cstring>
#include <memory>

#include "corvel/corvel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  const int n = static_cast<std::int8_t>(data[0]) % 40;
  int value = 0;
  std::memcpy(&value, data + 1, sizeof value);
  data += 5;
  size -= 5;
  const std::size_t width = n > 0 ? static_cast<std::size_t>(n) : 0;
  auto out = std::make_unique<char[]>(width + 16);  // room for LIB_stci_b's fixed 16
  LIB_stci_bN(out.get(), value, n);
  LIB_stci_dn(out.get(), value, n);
  LIB_stci_hn(out.get(), value, n);
  LIB_stci_on(out.get(), value, n);
  LIB_stci_b(out.get(), value);

  // The caller's text holds n characters (at least 16 for LIB_wcst_b).
  const std::size_t textSize = width > 16 ? width : 16;
  auto text = std::make_unique<char[]>(textSize);
  for (std::size_t i = 0; i < textSize; ++i) text[i] = static_cast<char>(data[i % size]);
  LIB_wcst_b(text.get());
  LIB_wcst_bN(text.get(), n);
  LIB_icst_hn(text.get(), n);
  LIB_icst_dn(text.get(), n);

  const int length = static_cast<int>(size > 0x7FFF ? 0x7FFF : size);
  LIB_MakeLRC(data, length);
  return 0;
}
