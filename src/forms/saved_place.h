#pragma once
#include <cstdint>

#include "platform/types.h"

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

}  // namespace vireloc
