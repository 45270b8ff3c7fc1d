// Describes a menu and its submenus as text; used in the driver and in the menu hook DLL.
#pragma once

#include <windows.h>

#include <string>

namespace vireloc::driver {

// One line per item: path ("2" or "2.0" inside a submenu), tab, flags (comma-separated of
// grayed, checked, default, separator, submenu; "-" for none), tab, caption.
// Returns false when the menu cannot be read from this process.
bool describeMenu(HMENU menu, std::wstring& out);

// The registered message that asks the menu hook to describe the menu of a popup window,
// and the shared memory it writes into (a DWORD length in wchar_t, then the text).
inline const wchar_t* const kDumpMessageName = L"ViRelocDriverDumpMenu";
inline const wchar_t* const kDumpMappingName = L"ViRelocDriverMenuDump";
constexpr DWORD kDumpMappingBytes = 1 << 16;

}  // namespace vireloc::driver
