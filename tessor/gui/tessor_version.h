#pragma once
// The version Tessor shows in its title and About box: the suite's version.
#include "trax_version.h"

namespace tessor {
inline constexpr const char* kTessorVersion = TRAX_VERSION_TEXT;
}
