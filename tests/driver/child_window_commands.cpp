// Reading the controls of another program's window, e.g. the text of a message box.
#include "commands.h"
#include "driver_util.h"

namespace vireloc::driver {

namespace {

BOOL CALLBACK collectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

int windowChildren(const Args& args) {
  requireArgs(args, 1, "window-children <hwnd>");
  std::vector<HWND> children;
  EnumChildWindows(parseWindow(args[0]), collectChild, reinterpret_cast<LPARAM>(&children));
  // Handle, class, then the text last, as list-windows prints them.
  for (HWND child : children)
    printLine(hexHandle(child) + "\t" + toUtf8(windowClass(child)) + "\t" + toUtf8(windowTitle(child)));
  return 0;
}

}  // namespace vireloc::driver
