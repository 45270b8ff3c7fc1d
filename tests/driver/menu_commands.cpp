// Reading the popup menu another program has open, and a sample menu to check that against.
#include "commands.h"
#include "driver_util.h"
#include "menu_dump.h"
#include "platform/win32/win32_handles.h"

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

// Places the hook in the popup's thread for one request to describe its menu into `shared`;
// false when the hook cannot be placed.
bool askThroughHook(HWND popup, DWORD* shared) {
  HMODULE hookModule = LoadLibraryW((driverFolder() + L"vireloc-driver-menu.dll").c_str());
  auto hookProc = hookModule ? reinterpret_cast<HOOKPROC>(
                                   reinterpret_cast<void*>(GetProcAddress(hookModule, "menuHookProc")))
                             : nullptr;
  if (!hookProc) return false;
  *shared = 0xFFFFFFFEu;  // untouched marker
  const HookHandle hook(SetWindowsHookExW(WH_CALLWNDPROC, hookProc, hookModule,
                                          GetWindowThreadProcessId(popup, nullptr)));
  if (!hook) return false;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(popup, RegisterWindowMessageW(kDumpMessageName), 0, 0, SMTO_ABORTIFHUNG,
                      3000, &ignored);
  return true;
}

// Has the menu's own process describe it, through the hook DLL beside the driver.
std::wstring describeThroughHook(HWND popup) {
  const KernelHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                kDumpMappingBytes, kDumpMappingName));
  if (!mapping) throw Failure("cannot create shared memory for the menu description");
  const MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
  auto* shared = static_cast<DWORD*>(view.get());
  const bool hooked = shared && askThroughHook(popup, shared);
  const DWORD length = shared ? *shared : 0xFFFFFFFEu;
  std::wstring text;
  if (length < kDumpMappingBytes) text.assign(reinterpret_cast<wchar_t*>(shared + 1), length);
  if (!hooked) throw Failure("cannot place the menu hook (vireloc-driver-menu.dll beside the driver?)");
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
  const OwnedWindow owner(CreateWindowExW(0, L"STATIC", L"vireloc-demo-menu", WS_POPUP | WS_VISIBLE,
                                          10, 10, 40, 40, nullptr, nullptr, GetModuleHandleW(nullptr),
                                          nullptr));
  const MenuHandle menu(CreatePopupMenu());  // destroys the submenu with it
  HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING | MF_CHECKED, 11, L"BMP");
  AppendMenuW(sub, MF_STRING, 12, L"PNG\tCtrl+P");
  AppendMenuW(menu.get(), MF_STRING, 1, L"開く(&O)");
  AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 2, L"無効");
  AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"形式");
  AppendMenuW(menu.get(), MF_STRING | MF_CHECKED, 3, L"Checked");
  SetMenuDefaultItem(menu.get(), 1, FALSE);
  SetForegroundWindow(owner.get());
  printLine("shown");
  int chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, 100, 100, 0, owner.get(), nullptr);
  printLine("chosen " + std::to_string(chosen));
  return 0;
}

}  // namespace vireloc::driver
