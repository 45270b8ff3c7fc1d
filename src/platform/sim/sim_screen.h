// The primary screen of the simulated desktop, and the mouse pointer drawn on it.
#pragma once
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
  PixelBuffer copyScreen(const Rect& area, std::optional<Point> cursorAt,
                         std::uintptr_t cursorHandle) override;
  std::optional<CursorState> cursorState() override;
  std::optional<Point> cursorHotspot(std::uintptr_t cursorHandle) override;

  // ==== Test side
  PixelBuffer screenImage;  // the primary screen, 32 bits per pixel
  Rect workAreaRect;
  std::uintptr_t cursorHandle = 0x7F00;
  Point cursorHotspotPoint{1, 1};

 private:
  KeyboardMouse& mouse_;
};

}  // namespace vireloc::sim
