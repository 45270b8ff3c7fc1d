#include <windows.h>

#include "platform/win32/win32_services.h"

namespace vireloc {

namespace {
HICON toHicon(IconHandle icon) { return reinterpret_cast<HICON>(icon); }
IconHandle fromHicon(HICON icon) { return reinterpret_cast<IconHandle>(icon); }
}  // namespace

IconHandle Win32Icons::loadApplicationIcon() {
  // Not shared (no LR_SHARED): the caller owns this copy and destroys it.
  HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 32, 32, 0);
  return fromHicon(static_cast<HICON>(icon));
}

IconHandle Win32Icons::copyIcon(IconHandle icon) { return fromHicon(CopyIcon(toHicon(icon))); }

void Win32Icons::destroyIcon(IconHandle icon) {
  if (icon) DestroyIcon(toHicon(icon));
}

}  // namespace vireloc
