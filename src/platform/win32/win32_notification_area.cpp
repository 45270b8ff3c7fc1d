#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

namespace {

// A UTF-8 text into a fixed field of the structure, cut to fit, always terminated.
template <std::size_t N>
void copyCut(const std::string& utf8, wchar_t (&target)[N]) {
  const std::wstring wide = toWide(utf8);
  const std::size_t count = std::min(wide.size(), N - 1);
  std::copy_n(wide.data(), count, target);
  target[count] = L'\0';
}

DWORD shellMessage(NotifyAction action) {
  switch (action) {
    case NotifyAction::Add: return NIM_ADD;
    case NotifyAction::Modify: return NIM_MODIFY;
    case NotifyAction::Delete: return NIM_DELETE;
  }
  return static_cast<DWORD>(action);
}

}  // namespace

bool Win32NotificationArea::showBalloon(WindowHandle window, std::uintptr_t id,
                                        const std::string& title, const std::string& text) {
  NOTIFYICONDATAW shellData{};
  shellData.cbSize = sizeof shellData;  // the balloon's fields need the full structure
  shellData.hWnd = toHwnd(window);
  shellData.uID = static_cast<UINT>(id);
  shellData.uFlags = NIF_INFO;
  shellData.dwInfoFlags = NIIF_WARNING;
  copyCut(title, shellData.szInfoTitle);
  copyCut(text, shellData.szInfo);
  return Shell_NotifyIconW(NIM_MODIFY, &shellData) != 0;
}

bool Win32NotificationArea::notifyIcon(NotifyAction action, const NotifyIconData& data) {
  NOTIFYICONDATAW shellData{};
  // The first form is what every shell accepts; its size differs between platforms.
  shellData.cbSize = NOTIFYICONDATAW_V1_SIZE;
  shellData.hWnd = toHwnd(data.hWnd);
  shellData.uID = static_cast<UINT>(data.uID);
  shellData.uFlags = data.uFlags;
  shellData.uCallbackMessage = data.uCallbackMessage;
  shellData.hIcon = reinterpret_cast<HICON>(data.hIcon);
  copyCut(std::string(data.szTip.data(), strnlen(data.szTip.data(), data.szTip.size())),
          shellData.szTip);
  return Shell_NotifyIconW(shellMessage(action), &shellData) != 0;
}

}  // namespace vireloc
