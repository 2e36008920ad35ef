#include "corvel/debug_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "corvel/corvel.h"

namespace corvel {

std::string buildDebugLine(const char* format, va_list args) {
  // 257 bytes as the viewer protocol fixes it: room for 255 characters, the
  // terminator and one spare.
  char buffer[kMaxLineLength + 2] = {};
  const std::size_t prefix = std::strlen(kLinePrefix);
  std::memcpy(buffer, kLinePrefix, prefix);
  int written = -1;
  if (format) written = std::vsnprintf(buffer + prefix, kMaxLineLength + 1 - prefix, format, args);
  if (written < 0) return kEmptyLine;
  buffer[kMaxLineLength] = '\0';
  return std::string(buffer, std::strlen(buffer));
}

}  // namespace corvel

extern "C" CORVEL_API void LIB_dbgm(const char* format, ...) {
  // The caller may be about to report its own errno; the line must not change it.
  const int savedErrno = errno;
  va_list args;
  va_start(args, format);
  const std::string line = corvel::buildDebugLine(format, args);
  va_end(args);
  corvel::sendToViewer(line);
  errno = savedErrno;
}
