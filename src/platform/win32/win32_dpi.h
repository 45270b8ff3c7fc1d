// The DPI windows are drawn at, on a system that may scale each monitor differently.
#pragma once
#include <windows.h>

namespace vireloc {

// The system's DPI: the primary monitor's when the user signed in.
int systemDpi();
// The window's own (its monitor's, Windows 10 and later), else the system's.
int windowDpi(HWND window);

}  // namespace vireloc
