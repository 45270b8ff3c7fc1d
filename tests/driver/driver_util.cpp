#include "driver_util.h"

#include <cstdio>
#include <cwchar>

namespace vireloc::driver {

unsigned long long parseNumber(const std::wstring& text, const char* what) {
  bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
  const wchar_t* digits = text.c_str() + (hex ? 2 : 0);
  wchar_t* end = nullptr;
  errno = 0;
  unsigned long long value = std::wcstoull(digits, &end, hex ? 16 : 10);
  if (*digits == L'\0' || *digits == L'-' || *digits == L'+' || *end != L'\0' || errno != 0)
    throw Failure(std::string("not a number for ") + what + ": '" + toUtf8(text) + "'");
  return value;
}

HWND parseWindow(const std::wstring& text) {
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(parseNumber(text, "window")));
  if (!IsWindow(window)) throw Failure("no such window: " + toUtf8(text));
  return window;
}

std::string hexHandle(const void* handle) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(handle)));
  return buffer;
}

void printLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void requireArgs(const Args& args, size_t count, const char* usage) {
  if (args.size() != count) throw Failure(std::string("usage: ") + usage);
}

std::wstring windowClass(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

std::wstring windowTitle(HWND window) {
  // WM_GETTEXT also reads other processes' controls; a hung window falls back to the
  // text the window manager keeps.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(static_cast<size_t>(copied));
  return text;
}

static BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace vireloc::driver
