#include "forms/saved_place.h"

namespace vireloc {

Point placeHistoryWindow(Settings& saved, const Rect& workArea, int width, int height) {
  // The saved values are unsigned: a negative one is never less than an edge.
  const auto right = static_cast<std::uint32_t>(workArea.right);
  const auto bottom = static_cast<std::uint32_t>(workArea.bottom);
  const auto atRight = static_cast<std::uint32_t>(workArea.right - width);
  const auto atBottom = static_cast<std::uint32_t>(workArea.bottom - height);
  if (saved.VRLClipboardLeft == 0 && saved.VRLClipboardTop == 0 && saved.VRLClipboardWidth == 0 &&
      saved.VRLClipboardHeight == 0) {
    saved.VRLClipboardLeft = atRight;
    saved.VRLClipboardTop = atBottom;
    saved.VRLClipboardWidth = static_cast<std::uint32_t>(width);
    saved.VRLClipboardHeight = static_cast<std::uint32_t>(height);
  } else if (saved.VRLClipboardLeft >= right) {
    saved.VRLClipboardLeft = atRight;
  } else if (saved.VRLClipboardTop >= bottom) {
    saved.VRLClipboardTop = atBottom;
  }
  return {static_cast<std::int32_t>(saved.VRLClipboardLeft),
          static_cast<std::int32_t>(saved.VRLClipboardTop)};
}

}  // namespace vireloc
