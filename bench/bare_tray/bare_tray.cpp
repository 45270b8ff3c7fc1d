// The reference for bench/idle_footprint.sh: the least a tray program can be under Wine. One
// hidden window, one notification-area icon, a message loop. Anything added here raises the
// floor vireloc.exe is measured against, so nothing is.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"BareTray";
  if (!RegisterClassW(&windowClass)) return 1;
  // The title lets the benchmark wait for the program the way it waits for vireloc.exe.
  HWND window = CreateWindowExW(0, L"BareTray", L"BareTray", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;

  NOTIFYICONDATAW icon{};
  icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
  icon.hWnd = window;
  icon.uID = 1;
  icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  icon.uCallbackMessage = kTrayMessage;
  icon.hIcon = LoadIconW(instance, L"MAINICON");
  lstrcpynW(icon.szTip, L"BareTray", ARRAYSIZE(icon.szTip));
  if (!Shell_NotifyIconW(NIM_ADD, &icon)) return 1;

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Shell_NotifyIconW(NIM_DELETE, &icon);
  return 0;
}
