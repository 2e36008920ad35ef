#include "title_format.h"

#include <string>

namespace orvane {
namespace {

std::string dotted(const VersionNumbers& v) {
  return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
         std::to_string(v[3]);
}

std::string debugSuffix(int debugVersion) {
  return debugVersion >= 1 ? " - D" + std::to_string(debugVersion) : std::string();
}

}  // namespace

std::string frameTitle(std::string_view productName, const VersionNumbers& version,
                       int debugVersion) {
  return std::string(productName) + " (Ver" + dotted(version) + debugSuffix(debugVersion) + ")";
}

std::string aboutVersionLine(const VersionNumbers& version, int debugVersion) {
  return "版本： V " + dotted(version) + debugSuffix(debugVersion);
}

}  // namespace orvane
