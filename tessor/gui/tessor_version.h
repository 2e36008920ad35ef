#pragma once
// The version Tessor shows in its title and About box: the suite's version.
namespace tessor {
inline constexpr const char* kTessorVersion = TESSOR_VERSION;
}
