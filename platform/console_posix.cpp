#include "console.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>

namespace platform {

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

std::string localeCharset() {
  static const bool taken = std::setlocale(LC_CTYPE, "") != nullptr;
  (void)taken;  // a locale that is not installed leaves "C", whose set is ASCII
  return ::nl_langinfo(CODESET);
}

}  // namespace platform
