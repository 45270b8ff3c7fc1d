#include <windows.h>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

namespace {

struct MenuCloser {
  // Destroys the submenus attached to it as well.
  bool operator()(HMENU menu) const { return DestroyMenu(menu) != 0; }
};
using MenuHandle = ScopedHandle<HMENU, MenuCloser>;

MenuHandle buildMenu(const std::vector<MenuEntry>& items);

UINT stateOf(const MenuEntry& item) {
  UINT state = item.enabled ? MFS_ENABLED : MFS_DISABLED;
  if (item.checked) state |= MFS_CHECKED;
  if (item.isDefault) state |= MFS_DEFAULT;
  return state;
}

// Appends one item; a submenu belongs to the menu once inserted, and is freed here otherwise.
bool appendItem(HMENU menu, const MenuEntry& item) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  if (item.separator) {
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_SEPARATOR;
    return InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info) != 0;
  }
  std::wstring caption = toWide(item.caption);
  MenuHandle submenu;
  if (!item.submenu.empty()) {
    submenu = buildMenu(item.submenu);
    if (!submenu) return false;
  }
  info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
  info.fType = MFT_STRING;
  info.fState = stateOf(item);
  info.wID = item.id;
  info.hSubMenu = submenu.get();
  info.dwTypeData = caption.data();
  if (!InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info)) return false;
  submenu.release();
  return true;
}

MenuHandle buildMenu(const std::vector<MenuEntry>& items) {
  MenuHandle menu(CreatePopupMenu());
  if (!menu) return {};
  for (const MenuEntry& item : items) {
    if (!appendItem(menu.get(), item)) return {};
  }
  return menu;
}

}  // namespace

std::uint32_t Win32PopupMenus::trackPopupMenu(const std::vector<MenuEntry>& items, Point at,
                                              WindowHandle owner) {
  MenuHandle menu = buildMenu(items);
  if (!menu) return 0;
  // TPM_RETURNCMD: the choice comes back here instead of as WM_COMMAND; the caller decides
  // when the command runs.
  const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD;
  const BOOL chosen = TrackPopupMenu(menu.get(), flags, at.x, at.y, 0, toHwnd(owner), nullptr);
  return chosen > 0 ? static_cast<std::uint32_t>(chosen) : 0;
}

}  // namespace vireloc
