#include <stdlib.h>

#include "platform/process_setup.h"

namespace platform {

int authoriseInFirewall(const std::filesystem::path&, std::string_view) { return 0; }

int removeFromFirewall(const std::filesystem::path&) { return 0; }

bool appendToSearchPath(const std::filesystem::path& directory, std::string& appended) {
  appended = ":" + directory.string() + "/";
  const char* current = ::getenv("PATH");
  const std::string path = (current ? std::string(current) : std::string()) + appended;
  return ::setenv("PATH", path.c_str(), 1) == 0;
}

}  // namespace platform
