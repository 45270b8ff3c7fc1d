// The primary screen of the simulated desktop, any further monitors beside it, and the mouse
// pointer drawn on the primary one.
#pragma once
#include <vector>

#include "platform/keyboard_mouse.h"
#include "platform/screen.h"

namespace vireloc::sim {

class SimScreen : public Screen {
 public:
  // The pointer's position is the mouse's.
  explicit SimScreen(KeyboardMouse& mouse);

  int primaryScreenWidth() override { return screenImage.width; }
  int primaryScreenHeight() override { return screenImage.height; }
  Rect workArea() override { return workAreaRect; }
  std::optional<MonitorWorkArea> workAreaShowing(const Rect& rect) override;
  PixelBuffer copyScreen(const Rect& area, std::optional<Point> cursorAt,
                         std::uintptr_t cursorHandle) override;
  std::optional<CursorState> cursorState() override;
  std::optional<Point> cursorHotspot(std::uintptr_t cursorHandle) override;

  // ==== Test side
  PixelBuffer screenImage;  // the primary screen, 32 bits per pixel
  Rect workAreaRect;                     // the primary monitor's
  std::vector<Rect> otherMonitorWorkAreas;  // none: the primary screen alone
  std::uintptr_t cursorHandle = 0x7F00;
  Point cursorHotspotPoint{1, 1};

 private:
  KeyboardMouse& mouse_;
};

}  // namespace vireloc::sim
