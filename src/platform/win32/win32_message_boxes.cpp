#include <windows.h>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

namespace {

// The question box is an OK/Cancel box renamed: unlike Yes/No boxes it answers Esc and the
// close box, which count as No. The hook renames the first box activated, then goes, so
// that boxes opened while the question waits keep their own buttons.
HookHandle renamingHook;

LRESULT CALLBACK renameButtons(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
  if (code == HCBT_ACTIVATE) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    SetDlgItemTextW(box, IDOK, L"はい(&Y)");
    SetDlgItemTextW(box, IDCANCEL, L"いいえ(&N)");
    renamingHook.reset();
  }
  return next;
}

}  // namespace

void Win32MessageBoxes::showMessageBox(WindowHandle owner, const std::string& text,
                                       const std::string& caption, MessageBoxIcon icon) {
  // With no owner the system centres the box on the screen.
  const UINT style = MB_OK | (icon == MessageBoxIcon::Error ? UINT{MB_ICONERROR} : 0u);
  MessageBoxW(toHwnd(owner), toWide(text).c_str(), toWide(caption).c_str(), style);
}

bool Win32MessageBoxes::askYesNo(WindowHandle owner, const std::string& text,
                                 const std::string& caption) {
  renamingHook.reset(SetWindowsHookExW(WH_CBT, renameButtons, nullptr, GetCurrentThreadId()));
  const int answer = MessageBoxW(toHwnd(owner), toWide(text).c_str(), toWide(caption).c_str(),
                                 MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1);
  renamingHook.reset();  // the box never showed (a quit message was waiting)
  return answer == IDOK;
}

}  // namespace vireloc
