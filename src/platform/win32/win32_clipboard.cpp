#include <windows.h>

#include <cstring>

#include "platform/utf16_conversion.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_dib.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

// The text of a CF_UNICODETEXT block: up to its first NUL, and never past its end even when
// another program left the terminator out.
std::optional<std::string> readUnicodeText(HANDLE memory) {
  GlobalLockGuard lock(memory);
  if (!lock.data()) return std::nullopt;
  return utf8FromUtf16(static_cast<const char16_t*>(lock.data()), lock.size() / sizeof(char16_t));
}

// Converted straight into the block the clipboard takes: no second copy of a text that may
// be tens of megabytes.
GlobalMemory globalUtf16Of(const std::string& text) {
  const std::size_t units = wideLength(text);
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, (units + 1) * sizeof(wchar_t)));
  if (!memory) return {};
  GlobalLockGuard lock(memory.get());
  if (!lock.data()) return {};
  auto* out = static_cast<wchar_t*>(lock.data());
  writeWide(text, out, units);
  out[units] = L'\0';
  return memory;
}

// The depth the bitmap's pixels are held in, or 0 when it is no bitmap.
std::uint16_t bitmapDepth(HBITMAP bitmap, BITMAP& description) {
  if (!GetObjectW(bitmap, sizeof description, &description)) return 0;
  return dibDepthFor(description.bmBitsPixel * description.bmPlanes);
}

}  // namespace

std::optional<WindowHandle> Win32Clipboard::setClipboardViewer(WindowHandle window) {
  // NULL is also the answer of a chain with no other viewer; only the error code tells.
  SetLastError(0);
  HWND next = SetClipboardViewer(toHwnd(window));
  if (!next && GetLastError() != 0) return std::nullopt;
  return fromHwnd(next);
}

bool Win32Clipboard::changeClipboardChain(WindowHandle remove, WindowHandle next) {
  return ChangeClipboardChain(toHwnd(remove), toHwnd(next)) != 0;
}

bool Win32Clipboard::addClipboardFormatListener(WindowHandle window) {
  return AddClipboardFormatListener(toHwnd(window)) != 0;
}

bool Win32Clipboard::removeClipboardFormatListener(WindowHandle window) {
  return RemoveClipboardFormatListener(toHwnd(window)) != 0;
}

int Win32Clipboard::countClipboardFormats() { return CountClipboardFormats(); }

bool Win32Clipboard::clipboardHoldsText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
}

std::uint32_t Win32Clipboard::clipboardSequenceNumber() { return GetClipboardSequenceNumber(); }

bool Win32Clipboard::openClipboard(WindowHandle owner) {
  return OpenClipboard(toHwnd(owner)) != 0;
}

void Win32Clipboard::sleep(std::uint32_t milliseconds) { Sleep(milliseconds); }

bool Win32Clipboard::emptyClipboard() { return EmptyClipboard() != 0; }

void Win32Clipboard::closeClipboard() { CloseClipboard(); }

std::optional<std::string> Win32Clipboard::clipboardText() {
  // The system synthesises CF_UNICODETEXT from CF_TEXT and CF_OEMTEXT, so one format
  // covers text put there by programs of any code page.
  HANDLE memory = GetClipboardData(CF_UNICODETEXT);
  if (!memory) return std::nullopt;
  return readUnicodeText(memory);
}

bool Win32Clipboard::clipboardAsksNotToBeRecorded() {
  static const UINT exclude =
      RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
  static const UINT ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
  static const UINT history = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
  if (IsClipboardFormatAvailable(exclude) || IsClipboardFormatAvailable(ignore)) return true;
  HANDLE memory = IsClipboardFormatAvailable(history) ? GetClipboardData(history) : nullptr;
  if (!memory) return false;
  GlobalLockGuard lock(memory);
  DWORD allowed = 1;
  if (!lock.data() || lock.size() < sizeof allowed) return false;
  std::memcpy(&allowed, lock.data(), sizeof allowed);
  return allowed == 0;
}

bool Win32Clipboard::setClipboardText(const std::string& text) {
  GlobalMemory memory = globalUtf16Of(text);
  if (!memory) return false;
  if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

std::optional<PixelBuffer> Win32Clipboard::clipboardBitmap() {
  auto* bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  if (!bitmap) return std::nullopt;
  BITMAP description{};
  const std::uint16_t depth = bitmapDepth(bitmap, description);
  if (depth == 0 || description.bmWidth <= 0 || description.bmHeight <= 0) return std::nullopt;
  WindowDc screen;
  if (!screen) return std::nullopt;
  // A palette-based bitmap's colours are only known through the palette that came with it.
  auto* palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
  SelectedPalette selected(screen.get(), depth <= 8 ? palette : nullptr);
  return readBitmapPixels(screen.get(), bitmap, description.bmWidth, description.bmHeight,
                          depth);
}

namespace {
// Owns the bitmap and palette until the clipboard takes them.
struct Win32ClipboardImage final : ClipboardImage {
  BitmapHandle bitmap;
  PaletteHandle palette;
};
}  // namespace

std::unique_ptr<ClipboardImage> Win32Clipboard::makeClipboardImage(const PixelBuffer& image) {
  if (!isWellFormed(image)) throwSystemError(ERROR_INVALID_PARAMETER);
  WindowDc screen;
  if (!screen) throwLastError();
  auto prepared = std::make_unique<Win32ClipboardImage>();
  prepared->palette = makePalette(image);
  if (!image.palette.empty() && !prepared->palette) throwLastError();
  {
    SelectedPalette selected(screen.get(), prepared->palette.get());
    prepared->bitmap = makeDeviceBitmap(screen.get(), image);
  }
  if (!prepared->bitmap) throwSystemError(ERROR_NOT_ENOUGH_MEMORY);
  return prepared;
}

bool Win32Clipboard::setClipboardImage(std::unique_ptr<ClipboardImage> image) {
  auto* prepared = dynamic_cast<Win32ClipboardImage*>(image.get());
  if (!prepared || !SetClipboardData(CF_BITMAP, prepared->bitmap.get())) return false;
  prepared->bitmap.release();  // the clipboard owns it now
  if (!prepared->palette) return true;
  if (!SetClipboardData(CF_PALETTE, prepared->palette.get())) return false;
  prepared->palette.release();
  return true;
}

}  // namespace vireloc
