#include "platform/win32/win32_dpi.h"

#include "platform/win32/win32_handles.h"

namespace vireloc {

int systemDpi() {
  WindowDc screen;
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int windowDpi(HWND window) {
  // Windows 10 1607 and later only: looked up, so that the program still starts on Windows 7.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : systemDpi();
}

}  // namespace vireloc
