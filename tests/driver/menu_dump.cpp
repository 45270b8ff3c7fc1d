#include "menu_dump.h"

namespace vireloc::driver {

static std::wstring itemFlags(const MENUITEMINFOW& item) {
  std::wstring flags;
  auto add = [&flags](const wchar_t* flag) {
    if (!flags.empty()) flags += L',';
    flags += flag;
  };
  if (item.fState & MFS_GRAYED) add(L"grayed");
  if (item.fState & MFS_CHECKED) add(L"checked");
  if (item.fState & MFS_DEFAULT) add(L"default");
  if (item.fType & MFT_SEPARATOR) add(L"separator");
  if (item.hSubMenu) add(L"submenu");
  return flags.empty() ? L"-" : flags;
}

static bool describeLevel(HMENU menu, const std::wstring& prefix, int depth, std::wstring& out) {
  int count = GetMenuItemCount(menu);
  if (count < 0 || depth > 8) return false;
  for (int index = 0; index < count; ++index) {
    wchar_t caption[512] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
    item.dwTypeData = caption;
    item.cch = 511;
    if (!GetMenuItemInfoW(menu, index, TRUE, &item)) return false;
    std::wstring path = prefix + std::to_wstring(index);
    out += path + L'\t' + itemFlags(item) + L'\t' + caption + L'\n';
    if (item.hSubMenu && !describeLevel(item.hSubMenu, path + L'.', depth + 1, out)) return false;
  }
  return true;
}

bool describeMenu(HMENU menu, std::wstring& out) {
  out.clear();
  return menu && describeLevel(menu, L"", 0, out);
}

}  // namespace vireloc::driver
