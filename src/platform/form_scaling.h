// Designs are drawn for 96 DPI; a window on a denser screen grows by its DPI / 96 so that its
// texts, which the system draws at that DPI, still fit.
#pragma once
#include "platform/forms.h"

namespace vireloc {

constexpr int kDesignDpi = 96;

// Rounded half away from zero, as MulDiv rounds.
int scaledLength(int length, int dpi);

// The client area, every control's place, the font, a row list's rows and its grid line (never
// thinner than a pixel) at that DPI. The window's place on the screen is in screen pixels and
// stays as it is.
FormSpec designAtDpi(FormSpec design, int dpi);

}  // namespace vireloc
