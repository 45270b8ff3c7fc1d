#pragma once
#include <cstdint>
#include <functional>

#include "platform/screen.h"
#include "platform/types.h"
#include "settings/settings.h"

namespace vireloc {

// What every window that remembers its place opens by. A saved place no monitor's work area
// shows any part of (a monitor since unplugged, a minimised window's -32000) is forgotten: the
// window opens as at its first opening. A place a monitor other than the primary shows most of
// stays as it is, negative coordinates included. A place on the primary screen gets the
// window's own corrections against its work area, if it has any.
struct SavedPlaceRules {
  std::function<void()> forget;
  std::function<void(const Rect& primaryWorkArea)> correct;  // may be empty
};
void applySavedPlaceRules(Screen& screen, const Rect& saved, const SavedPlaceRules& rules);

// A dialog's saved top-left corner, for a dialog of that outer size. Its own corrections (a
// coordinate beyond the primary work area's right or bottom edge) only ever met places no monitor
// shows; a place partly off the screen stays. The saved values are updated.
Point placeSavedDialog(std::int32_t& left, std::int32_t& top, Screen& screen, int width,
                       int height, Point defaultPlace);

// Where the history window opens, given its outer size. On the primary screen its saved values
// are unsigned and only one coordinate is put back per opening; the saved geometry is updated.
Point placeHistoryWindow(Settings& saved, Screen& screen, int width, int height);

}  // namespace vireloc
