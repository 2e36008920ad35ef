#pragma once
// The main window's placement in the program's profile (section "Modbus TCP IP
// Tools"). "(check)" brackets the other keys: -32640 before them, 32639 after,
// so a save that was interrupted is recognised and ignored at the next start.
#include <filesystem>
#include <optional>
#include <vector>

namespace tessor {

struct PlacementRect {
  int left = 0;
  int top = 0;
  int right = 0;  // exclusive, as the system's rectangles
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const PlacementRect&, const PlacementRect&) = default;
};

inline constexpr int kPlacementCheckStarted = -32640;
inline constexpr int kPlacementCheckDone = 32639;

// Writes "(check)" = -32640, the rectangle, "State", then "(check)" = 32639,
// stopping at the first write that fails.
bool SavePlacement(const std::filesystem::path& profile, const PlacementRect& normal, int showState);

// The saved rectangle (each key defaulting to `current`), or nothing when
// "(check)" does not read 32639. The show state is not applied.
std::optional<PlacementRect> RestorePlacement(const std::filesystem::path& profile,
                                              const PlacementRect& current);

// A rectangle moved (and shrunk where it must be) onto the screen it overlaps
// most, or the first screen when it overlaps none: a placement saved on a
// larger or a detached monitor never opens the window out of reach.
PlacementRect clampToScreens(const PlacementRect& rect, const std::vector<PlacementRect>& screens);

}  // namespace tessor
