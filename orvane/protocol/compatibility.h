#pragma once
// Whether a module's firmware generation matches the editor's firmware file.
#include <cstdint>
#include <filesystem>

#include "orvane/protocol/module_record.h"

namespace orvane {

// 0: the module may be configured. 1: its firmware is older than the file's,
// or the file is missing or not a valid image. -1: its firmware is newer.
// Compares byte 3 (the major number) of the module's firmwareVersion with
// byte 3 of the image version, unsigned. Reads the file anew on every call.
int compareWithFirmwareFile(const ModuleVersionInfo& versions,
                            const std::filesystem::path& firmwareFile);

// The warning box text for a result of 1 or -1; empty for 0.
std::string_view compatibilityWarning(int result);

}  // namespace orvane
