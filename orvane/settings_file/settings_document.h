#pragma once
// The settings file: one module's settings as a JSON document, the format
// described in orvane/cli/README.md ("The settings file"). Written by `save`
// and by every backup, read by `load`.
//
// The writer is deterministic (fixed key order, no time stamp), so saving
// the same settings twice gives the same bytes. The reader takes only
// documents of this format and version, refuses unknown keys, missing keys,
// wrong types and values outside their field, and holds texts exactly: a
// name or description that code page 936 cannot hold, or that is longer
// than its field there, is refused rather than changed. The dialogs' checks
// are not the reader's business (settings_checks.h).
#include <optional>
#include <string>
#include <string_view>

#include "orvane/settings_file/module_settings.h"

namespace orvane::settings_file {

inline constexpr std::string_view kDocumentFormat = "trax-module-settings";
inline constexpr int kDocumentVersion = 1;
// Far above the largest document (30 peers, long texts); a larger input is
// refused before it is parsed.
inline constexpr std::size_t kMaxDocumentBytes = 64 * 1024;

std::string writeSettingsDocument(const ModuleSettings& settings);

struct DocumentReading {
  std::optional<ModuleSettings> settings;
  std::string error;  // when there are no settings: where and why, in Chinese
};

DocumentReading readSettingsDocument(std::string_view text);

}  // namespace orvane::settings_file
