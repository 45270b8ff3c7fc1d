// Driver commands the capture scenarios use to know where things are on the screen.
#pragma once

#include "driver_util.h"

namespace vireloc::driver {

int clientOrigin(const Args& args);          // <hwnd>: screen position of the client area
int foregroundWindow(const Args& args);      // [hwnd]: make it foreground, or print it
int workArea(const Args& args);              // left top right bottom
int cursorInfo(const Args& args);            // pointer, hotspot, drawn box of the cursor
int clipboardSaveBitmap(const Args& args);   // <file>: CF_BITMAP as a 32-bit BMP
int framedPatternWindow(const Args& args);   // <x> <y> <w> <h>: captioned pattern window
int messageBoxIcon(const Args& args);        // <hwnd>: "icon" or "none"

}  // namespace vireloc::driver
