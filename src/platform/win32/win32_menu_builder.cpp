#include "platform/win32/win32_menu_builder.h"

#include "platform/win32/text_conversion.h"

namespace vireloc {

namespace {

UINT stateOf(const MenuEntry& item) {
  UINT state = item.enabled ? MFS_ENABLED : MFS_DISABLED;
  if (item.checked) state |= MFS_CHECKED;
  if (item.isDefault) state |= MFS_DEFAULT;
  return state;
}

// Appends one item; a submenu belongs to the menu once inserted, and is freed here otherwise.
bool appendItem(HMENU menu, const MenuEntry& item, UINT idBase) {
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
    submenu = buildMenu(item.submenu, MenuKind::Popup, idBase);
    if (!submenu) return false;
  }
  info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
  info.fType = MFT_STRING;
  info.fState = stateOf(item);
  info.wID = item.id == 0 ? 0 : idBase + item.id;
  info.hSubMenu = submenu.get();
  info.dwTypeData = caption.data();
  if (!InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info)) return false;
  submenu.release();
  return true;
}

}  // namespace

MenuHandle buildMenu(const std::vector<MenuEntry>& items, MenuKind kind, UINT idBase) {
  MenuHandle menu(kind == MenuKind::Bar ? CreateMenu() : CreatePopupMenu());
  if (!menu) return {};
  for (const MenuEntry& item : items) {
    if (!appendItem(menu.get(), item, idBase)) return {};
  }
  return menu;
}

}  // namespace vireloc
