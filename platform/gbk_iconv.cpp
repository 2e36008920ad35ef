#include "gbk.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace platform {
namespace {

std::string convert(std::string_view in, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  std::vector<char> chunk(256);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = chunk.data();
    std::size_t dstLeft = chunk.size();
    const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(chunk.data(), chunk.size() - dstLeft);
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.push_back('?');  // invalid or incomplete sequence: skip one byte
      ++src;
      --srcLeft;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string gbkToUtf8(std::string_view gbk) { return convert(gbk, "GBK", "UTF-8"); }
std::string utf8ToGbk(std::string_view utf8) { return convert(utf8, "UTF-8", "GBK"); }

std::size_t gbkSafePrefixLength(std::string_view gbk, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < gbk.size()) {
    const auto lead = static_cast<unsigned char>(gbk[i]);
    const std::size_t width = (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
    if (i + width > maxBytes || i + width > gbk.size()) break;
    i += width;
  }
  return i;
}

}  // namespace platform
