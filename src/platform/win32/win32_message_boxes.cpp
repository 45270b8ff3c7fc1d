#include <windows.h>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

void Win32MessageBoxes::showMessageBox(WindowHandle owner, const std::string& text,
                                       const std::string& caption, MessageBoxIcon icon) {
  // With no owner the system centres the box on the screen.
  const UINT style = MB_OK | (icon == MessageBoxIcon::Error ? UINT{MB_ICONERROR} : 0u);
  MessageBoxW(toHwnd(owner), toWide(text).c_str(), toWide(caption).c_str(), style);
}

}  // namespace vireloc
