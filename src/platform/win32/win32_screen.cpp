#include <windows.h>

#include <algorithm>

#include "platform/win32/win32_dib.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_monitors.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

std::uint16_t screenDepth(HDC screen) {
  return dibDepthFor(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES));
}

// Fills bitmap with the screen inside area and draws the cursor over it.
void paintScreenCopy(HDC screen, HBITMAP bitmap, const Rect& area,
                     std::optional<Point> cursorAt, std::uintptr_t cursor) {
  MemoryDc memory(CreateCompatibleDC(screen));
  if (!memory) throwLastError();
  SelectedObject selected(memory.get(), bitmap);
  if (!selected.ok()) throwLastError();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  // No CAPTUREBLT: layered windows stay out, as the user sees the plain desktop copy.
  BitBlt(memory.get(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  if (cursorAt && cursor) {
    DrawIconEx(memory.get(), cursorAt->x, cursorAt->y, reinterpret_cast<HICON>(cursor), 0, 0,
               0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
  }
}

}  // namespace

int Win32Screen::primaryScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int Win32Screen::primaryScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

Rect Win32Screen::workArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    return Rect{0, 0, primaryScreenWidth(), primaryScreenHeight()};
  }
  return Rect{area.left, area.top, area.right, area.bottom};
}

std::optional<MonitorWorkArea> Win32Screen::workAreaShowing(const Rect& rect) {
  return monitorWorkAreaShowing(RECT{rect.left, rect.top, rect.right, rect.bottom});
}

PixelBuffer Win32Screen::copyScreen(const Rect& area, std::optional<Point> cursorAt,
                                    std::uintptr_t cursor) {
  const std::int32_t width = area.right - area.left;
  const std::int32_t height = area.bottom - area.top;
  WindowDc screen;
  if (!screen) throwLastError();
  const std::uint16_t depth = screenDepth(screen.get());
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!bitmap) throwLastError();
  paintScreenCopy(screen.get(), bitmap.get(), area, cursorAt, cursor);
  std::optional<PixelBuffer> image =
      readBitmapPixels(screen.get(), bitmap.get(), width, height, depth);
  if (!image) throwSystemError(ERROR_NOT_ENOUGH_MEMORY);
  return std::move(*image);
}

std::optional<CursorState> Win32Screen::cursorState() {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  if (!GetCursorInfo(&info)) return std::nullopt;
  return CursorState{reinterpret_cast<std::uintptr_t>(info.hCursor),
                     Point{info.ptScreenPos.x, info.ptScreenPos.y}};
}

std::optional<Point> Win32Screen::cursorHotspot(std::uintptr_t cursor) {
  ICONINFO info{};
  if (!cursor || !GetIconInfo(reinterpret_cast<HICON>(cursor), &info)) return std::nullopt;
  // GetIconInfo hands over copies of both bitmaps; only the hotspot is wanted.
  BitmapHandle color(info.hbmColor);
  BitmapHandle mask(info.hbmMask);
  return Point{static_cast<std::int32_t>(info.xHotspot), static_cast<std::int32_t>(info.yHotspot)};
}

}  // namespace vireloc
