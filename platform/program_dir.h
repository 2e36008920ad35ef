#pragma once
#include <filesystem>

namespace platform {

// The directory of the running executable: home of Lumen_.ini, the help
// pages, the default firmware image and the ORVANETEST sub-directory.
std::filesystem::path programDirectory();

}  // namespace platform
