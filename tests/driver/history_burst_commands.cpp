// Many short texts copied one after another, each waited for in the history window: the
// hours of copying a long day holds, in one run of the driver.
#include "commands.h"
#include "driver_util.h"
#include "history_rows.h"

namespace vireloc::driver {

namespace {

constexpr ULONGLONG kTimeoutMs = 30000;

// Waits, answering, until row 0 of the history window shows the text; the window may be
// closed at first and opened by the copy.
void awaitRowZero(const std::wstring& text) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    HWND list = historyListBox();
    if (list && listBoxRow(list, 0) == text) return;
    if (GetTickCount64() - start > kTimeoutMs)
      throw Failure("row 0 never showed '" + toUtf8(text) + "'");
    pauseAnswering();
  }
}

void closeHistoryWindow() {
  HWND window = FindWindowW(nullptr, L"クリップボードログ");
  if (!window) throw Failure("no history window to close");
  PostMessageW(window, WM_CLOSE, 0, 0);
  const ULONGLONG start = GetTickCount64();
  while (IsWindow(window)) {
    if (GetTickCount64() - start > kTimeoutMs) throw Failure("the history window did not close");
    pauseAnswering();
  }
}

}  // namespace

int clipboardTextBurst(const Args& args) {
  if (args.size() != 2 && args.size() != 3)
    throw Failure("usage: clipboard-text-burst <count> <prefix> [close-every]");
  const auto count = parseNumber(args[0], "count");
  const auto closeEvery = args.size() == 3 ? parseNumber(args[2], "close-every") : 0;
  const ULONGLONG start = GetTickCount64();
  for (unsigned long long copied = 1; copied <= count; ++copied) {
    const std::wstring text = args[1] + L" " + std::to_wstring(copied);
    putClipboardText(text);
    awaitRowZero(text);
    if (closeEvery && copied % closeEvery == 0) closeHistoryWindow();
  }
  printLine("copied " + std::to_string(count) + " in " + std::to_string(GetTickCount64() - start) + " ms");
  return 0;
}

}  // namespace vireloc::driver
