// The screen: its size and work area, screen copies and the cursor.
#pragma once
#include <optional>

#include "platform/pixel_buffer.h"
#include "platform/types.h"

namespace vireloc {

struct CursorState {
  std::uintptr_t cursor = 0;  // cursor handle, 0 when none
  Point position;             // pointer position in screen coordinates
};

// A monitor's work area, and whether that monitor is the primary one.
struct MonitorWorkArea {
  Rect area;
  bool primary = false;
};

class Screen {
 public:
  virtual ~Screen() = default;
  // GetSystemMetrics(SM_CXSCREEN / SM_CYSCREEN).
  virtual int primaryScreenWidth() = 0;
  virtual int primaryScreenHeight() = 0;
  // SystemParametersInfo(SPI_GETWORKAREA).
  virtual Rect workArea() = 0;
  // Of the monitors whose work area shows some part of rect, the one that shows the most
  // (EnumDisplayMonitors, GetMonitorInfo's rcWork); nothing when no monitor shows any of it.
  virtual std::optional<MonitorWorkArea> workAreaShowing(const Rect& rect) = 0;
  // For an area of positive width and height (the caller makes the empty image itself):
  // a screen-compatible bitmap of width x height filled with the screen inside area
  // (BitBlt SRCCOPY from the screen DC); with drawCursorAt, the cursor is drawn at that
  // point of the bitmap (DrawIconEx, DI_NORMAL | DI_DEFAULTSIZE). Throws AppError when the
  // bitmap cannot be created.
  virtual PixelBuffer copyScreen(const Rect& area, std::optional<Point> cursorAt,
                                 std::uintptr_t cursor) = 0;
  // GetCursorInfo: nothing when it fails.
  virtual std::optional<CursorState> cursorState() = 0;
  // GetIconInfo hotspot (its bitmaps deleted at once): nothing when it fails.
  virtual std::optional<Point> cursorHotspot(std::uintptr_t cursor) = 0;
};

}  // namespace vireloc
