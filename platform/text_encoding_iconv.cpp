#include "text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace platform {

ConvertedText convertText(std::string_view text, const char* from, const char* to) {
  const iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {std::nullopt, text.size()};
  std::string out;
  std::vector<char> chunk(256);
  char* src = const_cast<char*>(text.data());
  std::size_t srcLeft = text.size();
  ConvertedText result;
  while (srcLeft > 0) {
    char* dst = chunk.data();
    std::size_t dstLeft = chunk.size();
    const std::size_t rc = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(chunk.data(), chunk.size() - dstLeft);
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      result.failedAt = text.size() - srcLeft;
      ::iconv_close(cd);
      return result;
    }
  }
  // Stateful targets end in their initial shift state.
  char* dst = chunk.data();
  std::size_t dstLeft = chunk.size();
  ::iconv(cd, nullptr, nullptr, &dst, &dstLeft);
  out.append(chunk.data(), chunk.size() - dstLeft);
  ::iconv_close(cd);
  result.text = std::move(out);
  return result;
}

}  // namespace platform
