#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

#include "common/app_error.h"
#include "platform/sim/sim_screen.h"

namespace vireloc::sim {

SimScreen::SimScreen(KeyboardMouse& mouse)
    : screenImage(*PixelBuffer::blank(1024, 768, 32)),
      workAreaRect{0, 0, 1024, 738},
      mouse_(mouse) {}

namespace {

std::int64_t overlap(const Rect& a, const Rect& b) {
  const std::int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
  const std::int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

std::optional<MonitorWorkArea> SimScreen::workAreaShowing(const Rect& rect) {
  std::optional<MonitorWorkArea> best;
  std::int64_t shown = overlap(rect, workAreaRect);
  if (shown > 0) best = MonitorWorkArea{workAreaRect, true};
  for (const Rect& area : otherMonitorWorkAreas) {
    if (overlap(rect, area) <= shown) continue;
    shown = overlap(rect, area);
    best = MonitorWorkArea{area, false};
  }
  return best;
}

PixelBuffer SimScreen::copyScreen(const Rect& area, std::optional<Point> cursorAt,
                                  std::uintptr_t cursor) {
  assert(area.right > area.left && area.bottom > area.top && "the caller makes empty images itself");
  // Outside the screen a screen copy reads black.
  auto blank = PixelBuffer::blank(area.right - area.left, area.bottom - area.top,
                                  screenImage.bitsPerPixel);
  if (!blank) throw SystemError(8, "この操作を完了するのに十分な記憶域がありません。");
  PixelBuffer image = std::move(*blank);
  for (int y = 0; y < image.height; ++y) {
    const int sy = area.top + y;
    if (sy < 0 || sy >= screenImage.height) continue;
    for (int x = 0; x < image.width; ++x) {
      const int sx = area.left + x;
      if (sx < 0 || sx >= screenImage.width) continue;
      std::memcpy(&image.pixels[y * image.stride + x * 4],
                  &screenImage.pixels[sy * screenImage.stride + sx * 4], 4);
    }
  }
  // The simulated cursor is a single white pixel at its drawing point.
  if (cursorAt && cursorAt->x >= 0 && cursorAt->y >= 0 && cursorAt->x < image.width &&
      cursorAt->y < image.height)
    std::memset(&image.pixels[cursorAt->y * image.stride + cursorAt->x * 4], 0xFF, 4);
  return image;
}

std::optional<CursorState> SimScreen::cursorState() {
  const std::optional<Point> at = mouse_.cursorPos();
  if (!at) return std::nullopt;
  return CursorState{cursorHandle, *at};
}

std::optional<Point> SimScreen::cursorHotspot(std::uintptr_t cursor) {
  if (cursor == 0) return std::nullopt;
  return cursorHotspotPoint;
}

}  // namespace vireloc::sim
