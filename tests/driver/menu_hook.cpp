// A hook DLL the driver places into the process that shows a popup menu. Menus can only be
// read by their own process under Wine, so the description is made there and handed back
// through shared memory.
#include "menu_dump.h"

using namespace vireloc::driver;

static void writeDump(const std::wstring& text, bool readable) {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kDumpMappingName);
  if (!mapping) return;
  if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kDumpMappingBytes)) {
    auto* length = static_cast<DWORD*>(view);
    auto* chars = reinterpret_cast<wchar_t*>(length + 1);
    DWORD room = (kDumpMappingBytes - sizeof(DWORD)) / sizeof(wchar_t);
    DWORD size = readable ? static_cast<DWORD>(text.size()) : 0;
    if (size > room) size = room;
    text.copy(chars, size);
    *length = readable ? size : 0xFFFFFFFFu;  // all ones: the menu could not be read
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK menuHookProc(int code, WPARAM wParam,
                                                               LPARAM lParam) {
  static const UINT dumpMessage = RegisterWindowMessageW(kDumpMessageName);
  auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call && call->message == dumpMessage) {
    auto menu = reinterpret_cast<HMENU>(SendMessageW(call->hwnd, 0x01E1 /*MN_GETHMENU*/, 0, 0));
    std::wstring text;
    bool readable = describeMenu(menu, text);
    writeDump(text, readable);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
