// Commands about top-level windows and messages.
#include <cstdint>
#include <cstdio>

#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

int listWindows(const Args& args) {
  requireArgs(args, 0, "list-windows");
  // One line per window, tab-separated: handle, class, visible, owner, title (last: it may
  // hold anything but a tab).
  for (HWND window : topLevelWindows()) {
    printLine(hexHandle(window) + "\t" + toUtf8(windowClass(window)) + "\t" +
              (IsWindowVisible(window) ? "1" : "0") + "\t" +
              hexHandle(GetWindow(window, GW_OWNER)) + "\t" + toUtf8(windowTitle(window)));
  }
  return 0;
}

static int printMatches(bool byClass, const std::wstring& wanted) {
  int found = 0;
  for (HWND window : topLevelWindows()) {
    std::wstring value = byClass ? windowClass(window) : windowTitle(window);
    if (value != wanted) continue;
    printLine(hexHandle(window));
    ++found;
  }
  if (found == 0)
    throw Failure(std::string("no top-level window with ") + (byClass ? "class" : "title") +
                  " '" + toUtf8(wanted) + "'");
  return 0;
}

int findWindow(const Args& args) {
  requireArgs(args, 1, "find-window <title>");
  return printMatches(false, args[0]);
}

int findClass(const Args& args) {
  requireArgs(args, 1, "find-class <class>");
  return printMatches(true, args[0]);
}

int windowText(const Args& args) {
  requireArgs(args, 1, "window-text <hwnd>");
  printLine(toUtf8(windowTitle(parseWindow(args[0]))));
  return 0;
}

int windowRect(const Args& args) {
  requireArgs(args, 1, "window-rect <hwnd>");
  RECT rect{};
  if (!GetWindowRect(parseWindow(args[0]), &rect)) throw Failure("GetWindowRect failed");
  printLine(std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
            std::to_string(rect.right - rect.left) + " " + std::to_string(rect.bottom - rect.top));
  return 0;
}

int windowInfo(const Args& args) {
  requireArgs(args, 1, "window-info <hwnd>");
  HWND window = parseWindow(args[0]);
  RECT client{};
  if (!GetClientRect(window, &client)) throw Failure("GetClientRect failed");
  char styles[64];
  std::snprintf(styles, sizeof styles, "style 0x%08lX\nexstyle 0x%08lX",
                static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
  printLine("client " + std::to_string(client.right) + " " + std::to_string(client.bottom));
  printLine(styles);
  return 0;
}

int moveWindow(const Args& args) {
  requireArgs(args, 3, "move-window <hwnd> <x> <y>");
  const int x = std::stoi(args[1]), y = std::stoi(args[2]);
  if (!SetWindowPos(parseWindow(args[0]), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
    throw Failure("SetWindowPos failed, error " + std::to_string(GetLastError()));
  return 0;
}

int postMessage(const Args& args) {
  requireArgs(args, 4, "post <hwnd> <msg> <wparam> <lparam>");
  HWND window = parseWindow(args[0]);
  auto message = static_cast<UINT>(parseNumber(args[1], "msg"));
  auto wParam = static_cast<WPARAM>(parseNumber(args[2], "wparam"));
  auto lParam = static_cast<LPARAM>(parseNumber(args[3], "lparam"));
  if (!PostMessageW(window, message, wParam, lParam))
    throw Failure("PostMessage failed, error " + std::to_string(GetLastError()));
  return 0;
}

int registerMessage(const Args& args) {
  requireArgs(args, 1, "register-message <name>");
  UINT number = RegisterWindowMessageW(args[0].c_str());
  if (number == 0) throw Failure("RegisterWindowMessage failed");
  printLine(std::to_string(number));
  return 0;
}

// Wine's X11 driver keeps the X window behind each window it shows in this property of the
// window; for the desktop window of a virtual desktop that is the desktop's own X window.
// A desktop Wine is closing may still show its X window beside the one that replaced it,
// under the same name, so this is how the harness tells which one the programs are on.
int desktopXWindow(const Args& args) {
  requireArgs(args, 0, "desktop-x-window");
  const auto window =
      reinterpret_cast<std::uintptr_t>(GetPropW(GetDesktopWindow(), L"__wine_x11_whole_window"));
  if (window == 0) throw Failure("the desktop window has no X window (not a virtual desktop?)");
  printLine(std::to_string(window));
  return 0;
}

int trayCallback(const Args& args) {
  if (args.size() != 1 && args.size() != 2)
    throw Failure("usage: tray-callback <lparam> [wparam]");
  HWND tray = FindWindowW(L"TTrayIconWindow", nullptr);
  if (!tray) throw Failure("no window of class TTrayIconWindow");
  // The icon's id is the tray window's own handle, so that is what the shell passes back.
  WPARAM wParam = args.size() == 2 ? static_cast<WPARAM>(parseNumber(args[1], "wparam"))
                                   : reinterpret_cast<WPARAM>(tray);
  UINT message = RegisterWindowMessageW(L"HogeTrayIcon");
  auto lParam = static_cast<LPARAM>(parseNumber(args[0], "lparam"));
  if (!PostMessageW(tray, message, wParam, lParam))
    throw Failure("PostMessage failed, error " + std::to_string(GetLastError()));
  return 0;
}

int waitWindow(const Args& args) {
  requireArgs(args, 2, "wait-window <title> <seconds>");
  ULONGLONG deadline = GetTickCount64() + parseNumber(args[1], "seconds") * 1000;
  for (;;) {
    if (HWND window = FindWindowW(nullptr, args[0].c_str())) {
      printLine(hexHandle(window));
      return 0;
    }
    if (GetTickCount64() >= deadline) break;
    Sleep(100);
  }
  throw Failure("no window titled '" + toUtf8(args[0]) + "' within " + toUtf8(args[1]) + " s");
}

}  // namespace vireloc::driver

namespace vireloc::driver {

int waitNoWindow(const Args& args) {
  requireArgs(args, 2, "wait-no-window <title> <seconds>");
  ULONGLONG deadline = GetTickCount64() + parseNumber(args[1], "seconds") * 1000;
  while (FindWindowW(nullptr, args[0].c_str())) {
    if (GetTickCount64() >= deadline)
      throw Failure("window '" + toUtf8(args[0]) + "' still there after " + toUtf8(args[1]) + " s");
    Sleep(100);
  }
  return 0;
}

// A window that exists says nothing about what its program does next. A program waiting for
// input with none pending has finished what it did before its message loop (a thread waiting
// for a reply to its own sent message does not count), so it is set up as far as it will be.
int waitIdle(const Args& args) {
  requireArgs(args, 2, "wait-idle <hwnd> <seconds>");
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(parseWindow(args[0]), &processId)) throw Failure("no such window");
  const KernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) throw Failure("OpenProcess failed, error " + std::to_string(GetLastError()));
  const auto milliseconds = static_cast<DWORD>(parseNumber(args[1], "seconds") * 1000);
  const DWORD waited = WaitForInputIdle(process.get(), milliseconds);
  if (waited == WAIT_TIMEOUT)
    throw Failure("the program is still busy after " + toUtf8(args[1]) + " s");
  if (waited != 0) throw Failure("WaitForInputIdle failed, error " + std::to_string(GetLastError()));
  return 0;
}

}  // namespace vireloc::driver
