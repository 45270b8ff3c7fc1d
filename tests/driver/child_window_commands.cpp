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

int listBoxItems(const Args& args) {
  requireArgs(args, 1, "list-box-items <hwnd>");
  HWND list = parseWindow(args[0]);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  if (count == LB_ERR) throw Failure("LB_GETCOUNT failed: no list box?");
  printLine("item-height " + std::to_string(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)));
  for (LRESULT item = 0; item < count; ++item) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, item, 0);
    std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    printLine(std::to_string(item) + "\t" + toUtf8(text));
  }
  return 0;
}

int controlState(const Args& args) {
  requireArgs(args, 1, "control-state <hwnd>");
  HWND control = parseWindow(args[0]);
  const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  printLine(std::string(checked ? "checked " : "unchecked ") + (IsWindowEnabled(control) ? "enabled" : "disabled"));
  return 0;
}

}  // namespace vireloc::driver
