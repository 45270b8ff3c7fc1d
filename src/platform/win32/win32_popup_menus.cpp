#include <windows.h>

#include "platform/win32/win32_menu_builder.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

std::uint32_t Win32PopupMenus::trackPopupMenu(const std::vector<MenuEntry>& items, Point at,
                                              WindowHandle owner) {
  MenuHandle menu = buildMenu(items, MenuKind::Popup);
  if (!menu) return 0;
  // TPM_RETURNCMD: the choice comes back here instead of as WM_COMMAND; the caller decides
  // when the command runs.
  const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD;
  const BOOL chosen = TrackPopupMenu(menu.get(), flags, at.x, at.y, 0, toHwnd(owner), nullptr);
  return chosen > 0 ? static_cast<std::uint32_t>(chosen) : 0;
}

}  // namespace vireloc
