#pragma once
// The version as the main window's title and the About box show it. A
// "DebugVersion" of 1 or more in Lumen_.ini adds " - Dn".
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

using VersionNumbers = std::array<std::uint16_t, 4>;  // major, minor, build, revision

// "ORVANE (Ver2.0.1.1)" or "ORVANE (Ver2.0.1.1 - D3)".
std::string frameTitle(std::string_view productName, const VersionNumbers& version,
                       int debugVersion);
// "版本： V 2.0.1.1" or "版本： V 2.0.1.1 - D3".
std::string aboutVersionLine(const VersionNumbers& version, int debugVersion);

}  // namespace orvane
