// Monitors and their work areas: which one shows a window, and where a minimised window goes back to.
#pragma once
#include <windows.h>

#include <optional>

#include "platform/screen.h"

namespace vireloc {

std::optional<MonitorWorkArea> monitorWorkAreaShowing(const RECT& rect);

// The window's outer rectangle as it is when not minimised, in screen coordinates.
RECT restoredWindowRect(HWND window);

}  // namespace vireloc
