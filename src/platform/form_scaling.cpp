#include "platform/form_scaling.h"

#include <algorithm>
#include <cstdint>

namespace vireloc {

int scaledLength(int length, int dpi) {
  const std::int64_t product = std::int64_t{length} * dpi;
  const std::int64_t half = kDesignDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                       : (product - half) / kDesignDpi);
}

FormSpec designAtDpi(FormSpec design, int dpi) {
  if (dpi == kDesignDpi || dpi <= 0) return design;
  // Each edge on its own, so controls that touch in the design still touch.
  auto scaled = [dpi](Rect r) {
    return Rect{scaledLength(r.left, dpi), scaledLength(r.top, dpi), scaledLength(r.right, dpi),
                scaledLength(r.bottom, dpi)};
  };
  design.clientWidth = scaledLength(design.clientWidth, dpi);
  design.clientHeight = scaledLength(design.clientHeight, dpi);
  design.font.height = scaledLength(design.font.height, dpi);
  for (ControlSpec& control : design.controls) {
    control.bounds = scaled(control.bounds);
    control.rowHeight = scaledLength(control.rowHeight, dpi);
    if (control.gridLine > 0) control.gridLine = std::max(1, scaledLength(control.gridLine, dpi));
  }
  return design;
}

}  // namespace vireloc
