#pragma once
#include <cstdint>

#include "platform/types.h"
#include "settings/settings.h"

namespace vireloc {

// A dialog's saved top-left corner on a work area: a coordinate beyond the right or bottom edge
// goes back to its default, each by itself (signed; a negative one stays). The saved values
// are updated.
inline Point placeOnWorkArea(std::int32_t& left, std::int32_t& top, const Rect& workArea,
                             Point fallback) {
  if (top > workArea.bottom) top = fallback.y;
  if (left > workArea.right) left = fallback.x;
  return {left, top};
}

// Where the history window opens on a work area, given its outer size. Its saved values are
// unsigned and only one coordinate is put back per opening; the saved geometry is updated.
Point placeHistoryWindow(Settings& saved, const Rect& workArea, int width, int height);

}  // namespace vireloc
