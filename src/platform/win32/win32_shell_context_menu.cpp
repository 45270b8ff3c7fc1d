// The shell's own context menu of a namespace item.
#include <windows.h>
#include <shlobj.h>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_shell_items.h"
#include "platform/win32/win32_shell_namespace.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

void check(HRESULT result) {
  if (FAILED(result)) throwSystemError(static_cast<std::uint32_t>(result));
}

}  // namespace

void Win32ShellNamespace::showContextMenu(const ShellItemId& item, WindowHandle owner, Point at) {
  if (item.empty()) return;  // the desktop itself is no child of a folder that could offer one
  enterApartment();
  const IdList list = idListOf(item);
  if (!list) throwSystemError(ERROR_OUTOFMEMORY);
  ComPtr<IShellFolder> parent;
  LPCITEMIDLIST child = nullptr;
  check(SHBindToParent(list.get(), IID_IShellFolder, parent.putVoid(), &child));
  ComPtr<IContextMenu> menu;
  check(parent->GetUIObjectOf(toHwnd(owner), 1, &child, IID_IContextMenu, nullptr, menu.putVoid()));
  MenuHandle popup(CreatePopupMenu());
  if (!popup) throwLastError();
  check(menu->QueryContextMenu(popup.get(), 0, kFirstCommand, kLastCommand, CMF_NORMAL));
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(toHwnd(owner));
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                       at.x, at.y, 0, toHwnd(owner), nullptr));
  PostMessageW(toHwnd(owner), WM_NULL, 0, 0);
  if (chosen < kFirstCommand) return;
  CMINVOKECOMMANDINFO command{};
  command.cbSize = sizeof command;
  command.hwnd = toHwnd(owner);
  command.lpVerb = MAKEINTRESOURCEA(chosen - kFirstCommand);
  command.nShow = SW_SHOWNORMAL;
  check(menu->InvokeCommand(&command));
}

}  // namespace vireloc
