// The large-text benchmark's commands: a text of millions of characters copied to the
// clipboard and reused from the history window, timed from outside, with the longest time
// the program's message loop kept a message waiting meanwhile.
#include <algorithm>
#include <cwchar>

#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {

constexpr ULONGLONG kTimeoutMs = 120000;

// Asks the window for WM_NULL again and again from a thread of its own and keeps the longest
// round trip: how long the window's message loop did not answer.
class LoopProbe {
 public:
  explicit LoopProbe(HWND window) : window_(window) {
    thread_.reset(CreateThread(nullptr, 0, run, this, 0, nullptr));
    if (!thread_) throw Failure("CreateThread failed");
  }
  ~LoopProbe() { stop(); }
  LoopProbe(const LoopProbe&) = delete;
  LoopProbe& operator=(const LoopProbe&) = delete;

  // Stops probing; the longest wait in milliseconds.
  ULONGLONG stop() {
    if (thread_) {
      InterlockedExchange(&stopping_, 1);
      WaitForSingleObject(thread_.get(), INFINITE);
      thread_.reset();
    }
    return longestMs_;
  }

 private:
  static DWORD WINAPI run(void* self) {
    auto& probe = *static_cast<LoopProbe*>(self);
    while (!InterlockedCompareExchange(&probe.stopping_, 0, 0)) {
      const ULONGLONG start = GetTickCount64();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(probe.window_, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &result);
      probe.longestMs_ = std::max(probe.longestMs_, GetTickCount64() - start);
      Sleep(5);
    }
    return 0;
  }

  HWND window_;
  KernelHandle thread_;
  volatile LONG stopping_ = 0;
  ULONGLONG longestMs_ = 0;
};

HWND mainForm() {
  HWND form = FindWindowW(L"TForm1", nullptr);
  if (!form) throw Failure("no window of class TForm1");
  return form;
}

// A first line that tells this run's text from any earlier one, then lines of digits, kana
// and Latin letters up to `length` UTF-16 characters.
std::wstring largeText(size_t length) {
  std::wstring text = L"vireloc large text " + std::to_wstring(GetTickCount64()) + L"\r\n";
  const std::wstring line = L" 日本語のテキストです abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLM\r\n";
  text.reserve(length + line.size() + 16);
  for (unsigned number = 0; text.size() < length; ++number) text += std::to_wstring(number) + line;
  text.resize(length);
  return text;
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

void putText(HWND owner, const std::wstring& text) {
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (!memory) throw Failure("out of memory");
  {
    const GlobalLockGuard lock(memory.get());
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(lock.data()));
  }
  ClipboardSession clipboard;
  if (!clipboard.open(owner)) throw Failure("cannot open the clipboard");
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, memory.get()))
    throw Failure("SetClipboardData failed, error " + std::to_string(GetLastError()));
  memory.release();  // the clipboard's now
}

// Length and first line of the clipboard's text, the clipboard being open.
std::pair<size_t, std::wstring> openedClipboardText() {
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) throw Failure("no text on the clipboard");
  const GlobalLockGuard lock(data);
  const auto* text = static_cast<const wchar_t*>(lock.data());
  if (!text) throw Failure("no text on the clipboard");
  const size_t length = wcsnlen(text, lock.size() / sizeof(wchar_t));
  return {length, std::wstring(text, std::min<size_t>(wcscspn(text, L"\r"), length))};
}

HWND ownerWindow() {
  static HWND window = CreateWindowExW(0, L"STATIC", L"vireloc-driver-large-text", 0, 0, 0, 0, 0,
                                       HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  return window;
}

// Waits a moment while answering what other programs send this thread: emptying the clipboard
// asks its owner, the driver, to let go of its text and waits for the answer.
void pauseAnswering() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Empties the clipboard as a program of the driver's own.
void emptyClipboard() {
  ClipboardSession clipboard;
  if (!clipboard.open(ownerWindow())) throw Failure("cannot open the clipboard");
  EmptyClipboard();
}

// The clipboard text's length and first line, and when it could be read.
struct ArrivedText {
  size_t length;
  std::wstring firstLine;
  ULONGLONG at;
};

// Waits, answering, until the clipboard holds text and opens for the driver.
ArrivedText awaitClipboardText(ULONGLONG start) {
  ClipboardSession clipboard;
  while (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !clipboard.open(ownerWindow())) {
    if (GetTickCount64() - start > kTimeoutMs) throw Failure("the clipboard never held the text");
    pauseAnswering();
  }
  const ULONGLONG at = GetTickCount64();
  auto [length, firstLine] = openedClipboardText();
  return {length, std::move(firstLine), at};
}

void printFigure(const char* name, ULONGLONG value) { printLine(std::string(name) + " " + std::to_string(value)); }

}  // namespace

int largeTextRecord(const Args& args) {
  requireArgs(args, 2, "large-text-record <list-box> <utf16-chars>");
  HWND list = parseWindow(args[0]);
  const std::wstring text = largeText(static_cast<size_t>(parseNumber(args[1], "utf16-chars")));
  const std::wstring firstLine = text.substr(0, text.find(L'\r'));
  LoopProbe probe(mainForm());
  const ULONGLONG start = GetTickCount64();
  putText(ownerWindow(), text);
  while (listBoxRow(list, 0).rfind(firstLine, 0) != 0) {
    if (GetTickCount64() - start > kTimeoutMs) throw Failure("row 0 never showed the text");
    pauseAnswering();
  }
  const ULONGLONG elapsed = GetTickCount64() - start;
  printFigure("record-ms", elapsed);
  printFigure("longest-wait-ms", probe.stop());
  printFigure("utf8-bytes", toUtf8(text).size());
  return 0;
}

int largeTextReuse(const Args& args) {
  requireArgs(args, 2, "large-text-reuse <list-box> <utf16-chars>");
  HWND list = parseWindow(args[0]);
  const auto length = static_cast<size_t>(parseNumber(args[1], "utf16-chars"));
  const std::wstring firstLine = listBoxRow(list, 0);
  emptyClipboard();
  RECT row{};
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  LoopProbe probe(mainForm());
  const ULONGLONG start = GetTickCount64();
  // Row 0 is selected already: the second press of a double-click is all the list box needs.
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2));
  const ArrivedText found = awaitClipboardText(start);
  if (found.length != length || firstLine.rfind(found.firstLine, 0) != 0)
    throw Failure("the clipboard holds " + std::to_string(found.length) + " characters beginning '" +
                  toUtf8(found.firstLine) + "'");
  printFigure("reuse-ms", found.at - start);
  printFigure("longest-wait-ms", probe.stop());
  return 0;
}

}  // namespace vireloc::driver
