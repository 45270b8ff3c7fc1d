// Commands that read, change or hold the clipboard as another program would.
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {

// Wine lets any number of processes open the clipboard without a window at the same time,
// so the driver opens it with a window of its own, as a real program would.
HWND clipboardWindow() {
  static HWND window = CreateWindowExW(0, L"STATIC", L"vireloc-driver-clipboard", 0, 0, 0, 0, 0,
                                       HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  return window;
}

GlobalMemory globalCopy(const void* data, size_t bytes) {
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) throw Failure("out of memory");
  const GlobalLockGuard lock(memory.get());
  std::memcpy(lock.data(), data, bytes);
  return memory;
}

// The clipboard takes the memory when it accepts it; refused, it is freed here.
void setData(UINT format, GlobalMemory memory) {
  if (!SetClipboardData(format, memory.get()))
    throw Failure("SetClipboardData failed, error " + std::to_string(GetLastError()));
  memory.release();
}

// Puts text on the clipboard as CF_UNICODETEXT, with the format `marker` holding `value`
// beside it unless marker is 0, as password managers mark what viewers should not keep.
void putText(const std::wstring& text, UINT marker, DWORD value) {
  GlobalMemory textMemory = globalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  OpenClipboardScope open;
  EmptyClipboard();
  setData(CF_UNICODETEXT, std::move(textMemory));
  if (marker) setData(marker, globalCopy(&value, sizeof value));
}

std::string formatName(UINT format) {
  static const std::pair<UINT, const char*> known[] = {
      {CF_TEXT, "CF_TEXT"},       {CF_BITMAP, "CF_BITMAP"},           {CF_OEMTEXT, "CF_OEMTEXT"},
      {CF_DIB, "CF_DIB"},         {CF_UNICODETEXT, "CF_UNICODETEXT"}, {CF_LOCALE, "CF_LOCALE"},
      {CF_DIBV5, "CF_DIBV5"},     {CF_HDROP, "CF_HDROP"},             {CF_PALETTE, "CF_PALETTE"},
      {CF_METAFILEPICT, "CF_METAFILEPICT"}, {CF_ENHMETAFILE, "CF_ENHMETAFILE"}};
  for (const auto& [number, name] : known)
    if (number == format) return name;
  wchar_t buffer[256] = {};
  if (GetClipboardFormatNameW(format, buffer, 256) > 0) return toUtf8(buffer);
  return "#" + std::to_string(format);
}

// The pattern window's picture in a bitmap of the screen's format.
BitmapHandle patternBitmap(int width, int height) {
  const WindowDc screen;
  const MemoryDc memory(CreateCompatibleDC(screen.get()));
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  const SelectedObject selected(memory.get(), bitmap.get());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetPixel(memory.get(), x, y, patternColour(x / 32, y / 32));
  return bitmap;
}

}  // namespace

OpenClipboardScope::OpenClipboardScope() {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (clipboard_.open(clipboardWindow())) return;
    Sleep(50);
  }
  throw Failure("cannot open the clipboard (held by another program)");
}

std::optional<std::string> clipboardTextUtf8() {
  OpenClipboardScope open;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const GlobalLockGuard lock(data);
  const auto* text = static_cast<const wchar_t*>(lock.data());
  if (!text) throw Failure("cannot lock the clipboard text");
  return toUtf8(std::wstring_view(text, wcsnlen(text, lock.size() / sizeof(wchar_t))));
}

int clipboardGetText(const Args& args) {
  requireArgs(args, 0, "clipboard-get-text");
  const std::optional<std::string> text = clipboardTextUtf8();
  if (!text) throw Failure("no text on the clipboard");
  printLine(*text);
  return 0;
}

int clipboardSetText(const Args& args) {
  requireArgs(args, 1, "clipboard-set-text <text>");
  putText(args[0], 0, 0);
  return 0;
}

int clipboardSetMarkedText(const Args& args) {
  requireArgs(args, 3, "clipboard-set-marked-text <format name> <dword> <text>");
  const UINT marker = RegisterClipboardFormatW(args[0].c_str());
  if (!marker) throw Failure("RegisterClipboardFormat failed, error " + std::to_string(GetLastError()));
  putText(args[2], marker, static_cast<DWORD>(parseNumber(args[1], "dword")));
  return 0;
}

int clipboardClear(const Args& args) {
  requireArgs(args, 0, "clipboard-clear");
  OpenClipboardScope open;
  if (!EmptyClipboard()) throw Failure("EmptyClipboard failed");
  return 0;
}

int clipboardFormats(const Args& args) {
  requireArgs(args, 0, "clipboard-formats");
  OpenClipboardScope open;
  printLine(std::to_string(CountClipboardFormats()));
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    printLine(std::to_string(format) + "\t" + formatName(format));
  return 0;
}

int clipboardHold(const Args& args) {
  requireArgs(args, 1, "clipboard-hold <milliseconds>");
  auto milliseconds = static_cast<DWORD>(parseNumber(args[0], "milliseconds"));
  OpenClipboardScope open;
  printLine("held");  // tells the caller the clipboard is now taken
  Sleep(milliseconds);
  return 0;
}

// As a program that copies and at once opens the clipboard again (to read back what it put
// there, say): the viewers told of the change find it held for a moment.
int clipboardSetTextHeld(const Args& args) {
  requireArgs(args, 2, "clipboard-set-text-held <text> <ms>");
  const auto milliseconds = static_cast<DWORD>(parseNumber(args[1], "ms"));
  putText(args[0], 0, 0);
  ClipboardSession again;
  if (!again.open(clipboardWindow())) throw Failure("a viewer opened the clipboard first");
  Sleep(milliseconds);
  return 0;
}

int clipboardSetPattern(const Args& args) {
  requireArgs(args, 2, "clipboard-set-pattern <w> <h>");
  int width = static_cast<int>(parseNumber(args[0], "w"));
  int height = static_cast<int>(parseNumber(args[1], "h"));
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192)
    throw Failure("width and height must be 1 to 8192");
  BitmapHandle bitmap = patternBitmap(width, height);
  OpenClipboardScope open;
  EmptyClipboard();
  if (!SetClipboardData(CF_BITMAP, bitmap.get()))
    throw Failure("SetClipboardData failed, error " + std::to_string(GetLastError()));
  bitmap.release();  // the clipboard's now
  return 0;
}

int clipboardBitmapInfo(const Args& args) {
  requireArgs(args, 0, "clipboard-bitmap-info");
  OpenClipboardScope open;
  if (!IsClipboardFormatAvailable(CF_BITMAP)) throw Failure("no bitmap on the clipboard");
  auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
    throw Failure("cannot read the clipboard bitmap");
  printLine(std::to_string(info.bmWidth) + " " + std::to_string(info.bmHeight) + " " +
            std::to_string(info.bmBitsPixel));
  return 0;
}

}  // namespace vireloc::driver
