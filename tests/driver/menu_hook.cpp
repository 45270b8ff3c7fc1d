// A hook DLL the driver places into the process that shows a popup menu. Menus can only be
// read by their own process under Wine, so the description is made there and handed back
// through shared memory.
#include "menu_dump.h"
#include "platform/win32/win32_handles.h"

using namespace vireloc::driver;

static void writeDump(const std::wstring& text, bool readable) {
  const vireloc::KernelHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, kDumpMappingName));
  if (!mapping) return;
  const vireloc::MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, kDumpMappingBytes));
  if (!view) return;
  auto* length = static_cast<DWORD*>(view.get());
  auto* chars = reinterpret_cast<wchar_t*>(length + 1);
  DWORD room = (kDumpMappingBytes - sizeof(DWORD)) / sizeof(wchar_t);
  DWORD size = readable ? static_cast<DWORD>(text.size()) : 0;
  if (size > room) size = room;
  text.copy(chars, size);
  *length = readable ? size : 0xFFFFFFFFu;  // all ones: the menu could not be read
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
