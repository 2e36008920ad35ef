#include "tessor/core/window_placement.h"

#include <algorithm>
#include <string>

#include "platform/ini_file.h"

namespace tessor {

namespace {

constexpr const char* kSection = "Modbus TCP IP Tools";
constexpr const char* kCheck = "(check)";

long long overlap(const PlacementRect& a, const PlacementRect& b) {
  const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

bool SavePlacement(const std::filesystem::path& profile, const PlacementRect& r, int showState) {
  const std::pair<const char*, int> writes[] = {
      {kCheck, kPlacementCheckStarted}, {"Left", r.left}, {"Right", r.right},
      {"Top", r.top}, {"Bottom", r.bottom}, {"State", showState},
      {kCheck, kPlacementCheckDone}};
  for (const auto& [key, value] : writes)
    if (!platform::writeProfileString(profile, kSection, key, std::to_string(value))) return false;
  return true;
}

std::optional<PlacementRect> RestorePlacement(const std::filesystem::path& profile,
                                              const PlacementRect& current) {
  if (platform::readProfileInt(profile, kSection, kCheck, 0) != kPlacementCheckDone)
    return std::nullopt;
  const auto read = [&](const char* key, int fallback) {
    return platform::readProfileInt(profile, kSection, key, fallback);
  };
  return PlacementRect{read("Left", current.left), read("Top", current.top),
                       read("Right", current.right), read("Bottom", current.bottom)};
}

PlacementRect clampToScreens(const PlacementRect& rect, const std::vector<PlacementRect>& screens) {
  if (screens.empty()) return rect;
  const PlacementRect* best = &screens.front();
  long long bestArea = 0;
  for (const auto& screen : screens) {
    const long long area = overlap(rect, screen);
    if (area > bestArea) {
      bestArea = area;
      best = &screen;
    }
  }
  const int width = std::clamp(rect.width(), 1, best->width());
  const int height = std::clamp(rect.height(), 1, best->height());
  const int left = std::clamp(rect.left, best->left, best->right - width);
  const int top = std::clamp(rect.top, best->top, best->bottom - height);
  return {left, top, left + width, top + height};
}

}  // namespace tessor
