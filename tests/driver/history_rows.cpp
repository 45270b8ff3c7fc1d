#include "history_rows.h"

#include <algorithm>

#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

HWND historyListBox() {
  HWND window = FindWindowW(nullptr, L"クリップボードログ");
  return window ? FindWindowExW(window, nullptr, L"ListBox", nullptr) : nullptr;
}

// The row may change between asking its length and its text: the buffer fits any row the
// program shows (it cuts them at 256 UTF-8 bytes), not just the length asked.
std::wstring listBoxRow(HWND list, int row) {
  constexpr LRESULT kLongestRow = 4096;
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, row, 0);
  if (length == LB_ERR) return {};
  if (length > kLongestRow) throw Failure("row " + std::to_string(row) + " holds " + std::to_string(length) + " characters");
  std::wstring text(static_cast<size_t>(kLongestRow) + 1, L'\0');
  const LRESULT copied = SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? std::min(static_cast<size_t>(copied), text.size()) : 0);
  return text;
}

HWND clipboardOwnerWindow() {
  static HWND window = CreateWindowExW(0, L"STATIC", L"vireloc-driver-large-text", 0, 0, 0, 0, 0,
                                       HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  return window;
}

void putClipboardText(const std::wstring& text) {
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (!memory) throw Failure("out of memory");
  {
    const GlobalLockGuard lock(memory.get());
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(lock.data()));
  }
  ClipboardSession clipboard;
  // The program may be reading the text before: it lets go within moments.
  const ULONGLONG start = GetTickCount64();
  while (!clipboard.open(clipboardOwnerWindow())) {
    if (GetTickCount64() - start > 5000) throw Failure("cannot open the clipboard");
    pauseAnswering();
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, memory.get()))
    throw Failure("SetClipboardData failed, error " + std::to_string(GetLastError()));
  memory.release();  // the clipboard's now
}

void pauseAnswering() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace vireloc::driver
