// Reading the popup menu another program has open, and a sample menu to check that against.
#include "commands.h"
#include "driver_util.h"
#include "menu_dump.h"

namespace vireloc::driver {

namespace {

constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

HWND openPopupMenu() {
  HWND found = nullptr;
  for (HWND window : topLevelWindows())
    if (windowClass(window) == L"#32768" && IsWindowVisible(window)) found = window;
  if (!found) throw Failure("no popup menu is open");
  return found;
}

std::wstring driverFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Has the menu's own process describe it, through the hook DLL beside the driver.
std::wstring describeThroughHook(HWND popup) {
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      kDumpMappingBytes, kDumpMappingName);
  if (!mapping) throw Failure("cannot create shared memory for the menu description");
  auto* view = static_cast<DWORD*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  HMODULE hookModule = LoadLibraryW((driverFolder() + L"vireloc-driver-menu.dll").c_str());
  auto hookProc = hookModule ? reinterpret_cast<HOOKPROC>(
                                   reinterpret_cast<void*>(GetProcAddress(hookModule, "menuHookProc")))
                             : nullptr;
  HHOOK hook = nullptr;
  if (view && hookProc) {
    *view = 0xFFFFFFFEu;  // untouched marker
    hook = SetWindowsHookExW(WH_CALLWNDPROC, hookProc, hookModule,
                             GetWindowThreadProcessId(popup, nullptr));
  }
  if (hook) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(popup, RegisterWindowMessageW(kDumpMessageName), 0, 0, SMTO_ABORTIFHUNG,
                        3000, &ignored);
    UnhookWindowsHookEx(hook);
  }
  DWORD length = view ? *view : 0xFFFFFFFEu;
  std::wstring text;
  if (length < kDumpMappingBytes) text.assign(reinterpret_cast<wchar_t*>(view + 1), length);
  if (view) UnmapViewOfFile(view);
  CloseHandle(mapping);
  if (!hook) throw Failure("cannot place the menu hook (vireloc-driver-menu.dll beside the driver?)");
  if (length == 0xFFFFFFFEu) throw Failure("the menu's process did not answer");
  if (length == 0xFFFFFFFFu) throw Failure("the menu could not be read");
  return text;
}

}  // namespace

int menuItems(const Args& args) {
  requireArgs(args, 0, "menu-items");
  HWND popup = openPopupMenu();
  DWORD_PTR result = 0;
  SendMessageTimeoutW(popup, kGetMenuHandle, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
  std::wstring text;
  // Windows lets any process read the menu; Wine only its owner.
  if (!describeMenu(reinterpret_cast<HMENU>(result), text)) text = describeThroughHook(popup);
  if (!text.empty() && text.back() == L'\n') text.pop_back();
  printLine(toUtf8(text));
  return 0;
}

int demoMenu(const Args& args) {
  requireArgs(args, 0, "demo-menu");
  HWND owner = CreateWindowExW(0, L"STATIC", L"vireloc-demo-menu", WS_POPUP | WS_VISIBLE, 10, 10,
                               40, 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING | MF_CHECKED, 11, L"BMP");
  AppendMenuW(sub, MF_STRING, 12, L"PNG\tCtrl+P");
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"開く(&O)");
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 2, L"無効");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"形式");
  AppendMenuW(menu, MF_STRING | MF_CHECKED, 3, L"Checked");
  SetMenuDefaultItem(menu, 1, FALSE);
  SetForegroundWindow(owner);
  printLine("shown");
  int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, 100, 100, 0, owner, nullptr);
  printLine("chosen " + std::to_string(chosen));
  DestroyMenu(menu);
  DestroyWindow(owner);
  return 0;
}

}  // namespace vireloc::driver
