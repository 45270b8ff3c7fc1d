#pragma once
#include <windows.h>

namespace vireloc {

// Registers the class the first time its name is seen; later windows reuse it. False when
// the system refuses (GetLastError tells why).
bool ensureWindowClass(const WNDCLASSEXW& windowClass);

}  // namespace vireloc
