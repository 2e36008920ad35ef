// The settings file reader under arbitrary input. A document it accepts is
// written again and read back: the settings must come back the same, and
// the second writing must give the same bytes as the first.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "orvane/settings_file/settings_checks.h"
#include "orvane/settings_file/settings_document.h"

using namespace orvane::settings_file;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto reading = readSettingsDocument(text);
  if (!reading.settings) {
    if (reading.error.empty()) std::abort();
    return 0;
  }
  checkModuleSettings(*reading.settings);
  const auto written = writeSettingsDocument(*reading.settings);
  const auto again = readSettingsDocument(written);
  if (!again.settings || *again.settings != *reading.settings) std::abort();
  if (writeSettingsDocument(*again.settings) != written) std::abort();
  return 0;
}
