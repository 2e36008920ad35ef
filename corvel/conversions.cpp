// The frame check byte and the fixed-width number/text conversions. None of
// them writes outside the caller's n characters or reads past a terminator.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "corvel/corvel.h"

namespace {

constexpr int kBits16 = 16;
constexpr int kWorkSize = CORVEL_MAX_DIGITS + 1;

bool digitsFit(int n) { return n >= 0 && n <= CORVEL_MAX_DIGITS; }

// "%0<n><conversion>" of value, first n characters to the buffer; the
// formatted length, or -1 (nothing written) when n does not fit the work buffer.
int formatDigits(char* buffer, int value, int n, char conversion) {
  if (!digitsFit(n) || (!buffer && n > 0)) return -1;
  char format[8];
  std::snprintf(format, sizeof format, "%%0%d%c", n, conversion);
  char work[kWorkSize] = {};
  // n <= 11 keeps every form inside the work buffer: "-2147483648" is the longest.
  const int length = conversion == 'd' ? std::snprintf(work, sizeof work, format, value)
                                       : std::snprintf(work, sizeof work, format, static_cast<unsigned>(value));
  if (n > 0) std::memcpy(buffer, work, static_cast<std::size_t>(n));
  return length;
}

// Characters up to n, stopping at a terminator, read as a number in `base`.
int parseDigits(const char* text, int n, int base) {
  if (!text || !digitsFit(n)) return 0;
  char work[kWorkSize] = {};
  const void* end = std::memchr(text, '\0', static_cast<std::size_t>(n));
  const std::size_t length = end ? static_cast<const char*>(end) - text : static_cast<std::size_t>(n);
  if (length > 0) std::memcpy(work, text, length);
  // 11 characters never overflow long long; the value is then taken modulo 2^32
  // as a 32-bit scan would.
  return static_cast<int>(static_cast<std::uint32_t>(std::strtoll(work, nullptr, base)));
}

int bitsFromText(const char* text, int n) {
  if (!text) return 0;
  std::uint32_t value = 0;
  for (int i = 0; i < n && i < 32 && text[i] != '\0'; ++i) {
    if (text[i] & 1) value |= 1u << i;
  }
  return static_cast<int>(value);
}

}  // namespace

extern "C" CORVEL_API int LIB_MakeLRC(const unsigned char* bytes, int length) {
  const short n = static_cast<short>(length);
  if (n <= 3 || !bytes) return 0;
  unsigned char lrc = 0;
  for (int i = 1; i <= n - 3; ++i) lrc ^= bytes[i];
  return lrc;
}

extern "C" CORVEL_API int LIB_stci_bN(char* buffer, int value, int n) {
  if (!buffer || n <= 0) return 0;
  for (int i = 0; i < n; ++i) buffer[i] = (i < kBits16 && (value >> i) & 1) ? '1' : '0';
  return n;
}

extern "C" CORVEL_API void LIB_stci_b(char* buffer, int value) { LIB_stci_bN(buffer, value, kBits16); }

extern "C" CORVEL_API int LIB_stci_dn(char* buffer, int value, int n) {
  return formatDigits(buffer, value, n, 'd');
}

extern "C" CORVEL_API int LIB_stci_hn(char* buffer, int value, int n) {
  return formatDigits(buffer, value, n, 'X');
}

extern "C" CORVEL_API void LIB_stci_on(char* buffer, int value, int n) { formatDigits(buffer, value, n, 'o'); }

extern "C" CORVEL_API int LIB_wcst_bN(const char* text, int n) { return bitsFromText(text, n); }

extern "C" CORVEL_API int LIB_wcst_b(const char* text) { return bitsFromText(text, kBits16); }

extern "C" CORVEL_API int LIB_icst_hn(const char* text, int n) { return parseDigits(text, n, 16); }

extern "C" CORVEL_API int LIB_icst_dn(const char* text, int n) { return parseDigits(text, n, 10); }
