#pragma once
// The module version inside a module's information text from the PLC: the
// part after the first 21 characters, two decimal numbers separated by a
// point ("1.05"), the first into firmwareVersion byte 1, the second into
// byte 0 (shown as V1.05).
#include <string_view>

#include "orvane/protocol/module_record.h"

namespace orvane {

inline constexpr std::size_t kVersionTextPrefix = 21;  // characters before the version

// Applies the version of `infoText` (UTF-8) to `versions`; true when it did.
// A text of 21 characters or fewer changes nothing; the rest is split at its
// first "." (at its start when there is none) and each side read as a
// decimal number from its leading digits (none: 0). A number above 255 does
// not fit its byte: then nothing changes either.
bool applySerialVersion(std::string_view infoText, ModuleVersionInfo& versions);

}  // namespace orvane
