#pragma once
// The editor's version texts and numbers, as the application object reads
// them at start-up. The strings are compiled in under the language block
// "080403a8" (Chinese, code page 936) while the application asks for block
// "040904b0", so every query fails and the twelve built-in texts stand,
// shown together with the suite's version numbers (2.0.1.1).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

struct AppVersion {
  std::string companyName, fileDescription, fileVersion, internalName, legalCopyright,
      originalFilename, productName, productVersion, comments, legalTrademarks, privateBuild,
      specialBuild;
  std::array<std::uint16_t, 4> numbers{1, 0, 0, 0};  // major, minor, build, revision
};

// One version text of the compiled-in resource; nothing for another language
// block or an unknown name.
std::optional<std::string> queryVersionText(std::string_view block, std::string_view name);

// The texts of block "040904b0" (the built-in ones when any query fails)
// and the product version numbers.
AppVersion readAppVersion();

}  // namespace orvane
