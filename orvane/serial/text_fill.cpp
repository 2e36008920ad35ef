#include "text_fill.h"

namespace orvane {
namespace {

std::string replaceFirst(std::string_view format, std::string_view marker, std::string_view value) {
  std::string text(format);
  const auto at = text.find(marker);
  if (at != std::string::npos) text.replace(at, marker.size(), value);
  return text;
}

}  // namespace

std::string fillIn(std::string_view format, int value) {
  return replaceFirst(format, "%d", std::to_string(value));
}

std::string fillIn(std::string_view format, std::string_view value) {
  return replaceFirst(format, "%s", value);
}

}  // namespace orvane
