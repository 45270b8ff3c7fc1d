// The large-text benchmark's commands: a text of millions of characters copied to the
// clipboard and reused from the history window, timed from outside, with the longest time
// the program's message loop kept a message waiting meanwhile.
#include <algorithm>
#include <cwchar>
#include <optional>
#include <utility>
#include <vector>

#include "commands.h"
#include "driver_util.h"
#include "history_rows.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {

constexpr ULONGLONG kTimeoutMs = 120000;

// Asks the window for WM_NULL again and again from a thread of its own and keeps every round
// trip: how long the window's message loop did not answer, and when.
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
    return longestAfter(0);
  }
  // The longest part of a wait that fell after tick: a wait that began earlier counts from it.
  ULONGLONG longestAfter(ULONGLONG tick) const {
    ULONGLONG longest = 0;
    for (const auto& [start, end] : trips_)
      if (end > tick) longest = std::max(longest, end - std::max(start, tick));
    return longest;
  }
  // Messages the window never answered (SendMessageTimeout failed).
  unsigned missed() const { return missed_; }

 private:
  static DWORD WINAPI run(void* self) {
    auto& probe = *static_cast<LoopProbe*>(self);
    while (!InterlockedCompareExchange(&probe.stopping_, 0, 0)) {
      const ULONGLONG start = GetTickCount64();
      DWORD_PTR result = 0;
      if (!SendMessageTimeoutW(probe.window_, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &result))
        ++probe.missed_;
      probe.trips_.emplace_back(start, GetTickCount64());
      Sleep(5);
    }
    return 0;
  }

  HWND window_;
  KernelHandle thread_;
  volatile LONG stopping_ = 0;
  std::vector<std::pair<ULONGLONG, ULONGLONG>> trips_;  // start and end of each round trip
  unsigned missed_ = 0;
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

// Empties the clipboard as a program of the driver's own.
void emptyClipboard() {
  ClipboardSession clipboard;
  if (!clipboard.open(clipboardOwnerWindow())) throw Failure("cannot open the clipboard");
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
  while (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !clipboard.open(clipboardOwnerWindow())) {
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
  requireArgs(args, 2, "large-text-record <list-box|history> <utf16-chars>");
  // "history": the history window may be closed now and opened by the copy itself.
  HWND list = args[0] == L"history" ? nullptr : parseWindow(args[0]);
  const std::wstring text = largeText(static_cast<size_t>(parseNumber(args[1], "utf16-chars")));
  const std::wstring firstLine = text.substr(0, text.find(L'\r'));
  LoopProbe probe(mainForm());
  // Wine's server takes the copy's megabytes while every program waits for it: the taskbar, in
  // a process of its own, shows what any window waits meanwhile.
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  std::optional<LoopProbe> reference;
  if (taskbar) reference.emplace(taskbar);
  const ULONGLONG start = GetTickCount64();
  putClipboardText(text);
  const ULONGLONG copied = GetTickCount64();
  for (;;) {
    HWND shown = list ? list : historyListBox();
    if (shown && listBoxRow(shown, 0).rfind(firstLine, 0) == 0) break;
    if (GetTickCount64() - start > kTimeoutMs) throw Failure("row 0 never showed the text");
    pauseAnswering();
  }
  const ULONGLONG elapsed = GetTickCount64() - start;
  printFigure("record-ms", elapsed);
  printFigure("longest-wait-ms", probe.stop());
  printFigure("copy-ms", copied - start);
  printFigure("longest-wait-after-copy-ms", probe.longestAfter(copied));
  printFigure("unanswered", probe.missed());
  if (reference) {
    printFigure("taskbar-longest-wait-ms", reference->stop());
    printFigure("taskbar-longest-wait-after-copy-ms", reference->longestAfter(copied));
  }
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
