#include "terminal_text.h"

namespace orvane::cli {
namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

}  // namespace

std::string oneLine(std::string text) {
  for (auto& c : text)
    if (isControl(c)) c = ' ';
  return text;
}

std::string withoutTerminalControls(std::string text) {
  for (auto& c : text)
    if (isControl(c) && c != '\n' && c != '\t') c = ' ';
  return text;
}

}  // namespace orvane::cli
