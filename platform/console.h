#pragma once
// What a command-line program asks about the terminal it runs in.
#include <string>

namespace platform {

// Whether standard error is a terminal (a progress bar redrawn in place is
// then readable; in a file or a pipe it is not).
bool standardErrorIsTerminal();

// The character set of the user's locale (LC_CTYPE from the environment),
// as iconv names it: "UTF-8", "GBK", "GB18030", ... The C and POSIX locales
// give "ANSI_X3.4-1968". Takes the locale from the environment on the first
// call.
std::string localeCharset();

}  // namespace platform
