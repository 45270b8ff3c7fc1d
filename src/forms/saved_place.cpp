#include "forms/saved_place.h"

#include <algorithm>
#include <limits>

namespace vireloc {

namespace {

// A saved corner near the end of the integers must not wrap round to the other side.
Rect outerRectAt(std::int32_t left, std::int32_t top, int width, int height) {
  auto end = [](std::int32_t start, int size) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(
        std::int64_t{start} + size, std::numeric_limits<std::int32_t>::max()));
  };
  return {left, top, end(left, width), end(top, height)};
}

}  // namespace

void applySavedPlaceRules(Screen& screen, const Rect& saved, const SavedPlaceRules& rules) {
  const std::optional<MonitorWorkArea> shown = screen.workAreaShowing(saved);
  if (!shown)
    rules.forget();
  else if (shown->primary && rules.correct)
    rules.correct(screen.workArea());
}

Point placeSavedDialog(std::int32_t& left, std::int32_t& top, Screen& screen, int width,
                       int height, Point defaultPlace) {
  const auto useDefault = [&] {
    left = defaultPlace.x;
    top = defaultPlace.y;
  };
  applySavedPlaceRules(screen, outerRectAt(left, top, width, height),
                       {.forget = useDefault, .correct = nullptr});
  return {left, top};
}

Point placeHistoryWindow(Settings& saved, Screen& screen, int width, int height) {
  const Rect workArea = screen.workArea();
  auto placeInCorner = [&] {
    saved.VRLClipboardLeft = static_cast<std::uint32_t>(workArea.right - width);
    saved.VRLClipboardTop = static_cast<std::uint32_t>(workArea.bottom - height);
    saved.VRLClipboardWidth = static_cast<std::uint32_t>(width);
    saved.VRLClipboardHeight = static_cast<std::uint32_t>(height);
  };
  // The saved values are unsigned: a negative one is never less than an edge.
  auto correct = [&](const Rect& area) {
    if (saved.VRLClipboardLeft >= static_cast<std::uint32_t>(area.right))
      saved.VRLClipboardLeft = static_cast<std::uint32_t>(area.right - width);
    else if (saved.VRLClipboardTop >= static_cast<std::uint32_t>(area.bottom))
      saved.VRLClipboardTop = static_cast<std::uint32_t>(area.bottom - height);
  };
  // All four 0: the window has never been closed.
  if (saved.VRLClipboardLeft == 0 && saved.VRLClipboardTop == 0 && saved.VRLClipboardWidth == 0 &&
      saved.VRLClipboardHeight == 0) {
    placeInCorner();
  } else {
    const auto left = static_cast<std::int32_t>(saved.VRLClipboardLeft);
    const auto top = static_cast<std::int32_t>(saved.VRLClipboardTop);
    applySavedPlaceRules(screen, outerRectAt(left, top, width, height),
                         {placeInCorner, correct});
  }
  return {static_cast<std::int32_t>(saved.VRLClipboardLeft),
          static_cast<std::int32_t>(saved.VRLClipboardTop)};
}

}  // namespace vireloc
