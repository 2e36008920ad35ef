#include "wirelet_library.h"

#include "orvane/serial/serial_texts.h"
#include "orvane/serial/text_fill.h"

namespace orvane {

std::string WireletLibrary::fileName() { return platform::sharedLibraryFileName("Wirelet"); }

bool WireletLibrary::load() { return load(fileName()); }

bool WireletLibrary::load(const std::filesystem::path& file) {
  file_ = file.filename().string();
  return library_.load(file);
}

std::string WireletLibrary::notFoundText() const {
  return fillIn(fillIn(serial_texts::kWireletNotFound, file_), library_.errorCode());
}

}  // namespace orvane
