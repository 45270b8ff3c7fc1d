// Real menus from the core's menu entries, for popup menus and for menu bars.
#pragma once
#include <windows.h>

#include <vector>

#include "platform/menus.h"
#include "platform/win32/win32_handles.h"

namespace vireloc {

enum class MenuKind { Popup, Bar };

// Each item's command is idBase + its id. Empty on failure.
MenuHandle buildMenu(const std::vector<MenuEntry>& items, MenuKind kind, UINT idBase = 0);

}  // namespace vireloc
