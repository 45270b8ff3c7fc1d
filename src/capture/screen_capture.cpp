#include "capture/screen_capture.h"

#include "common/app_error.h"
#include "common/busy_flag.h"

namespace vireloc {

namespace {

struct HotkeyDefinition {
  int id;
  std::uint32_t modifiers;
};
// Registration order.
constexpr HotkeyDefinition kHotkeys[] = {
    {ScreenCapture::kScreenHotkey, 0},
    {ScreenCapture::kShiftScreenHotkey, mod::Shift},
    {ScreenCapture::kPointerHotkey, mod::Control},
    {ScreenCapture::kForegroundHotkey, mod::Alt},
};

}  // namespace

Point cursorOverlayPosition(Point pointer, Point hotspot, Point origin) {
  return {pointer.x - hotspot.x - origin.x, pointer.y - hotspot.y - origin.y};
}

Rect clampToWorkArea(Rect rect, const Rect& workArea) {
  if (rect.left < 0) rect.left = 0;
  if (rect.right > workArea.right) rect.right = workArea.right;
  if (rect.top < 0) rect.top = 0;
  if (rect.bottom > workArea.bottom) rect.bottom = workArea.bottom;
  return rect;
}

void ScreenCapture::registerCaptureHotkeys() {
  for (const auto& hotkey : kHotkeys)
    platform_.keyboardMouse.registerHotKey(context_.formHandle(), hotkey.id, hotkey.modifiers,
                                           vk::Snapshot);
}

void ScreenCapture::unregisterCaptureHotkeys() {
  for (int id = kScreenHotkey; id <= kShiftScreenHotkey; ++id)
    platform_.keyboardMouse.unregisterHotKey(context_.formHandle(), id);
}

WindowHandle ScreenCapture::topLevelWindowOf(WindowHandle window) {
  while (WindowHandle parent = platform_.windowing.parentOf(window)) window = parent;
  return window;
}

Rect ScreenCapture::primaryScreenRect() {
  return {0, 0, platform_.screen.primaryScreenWidth(), platform_.screen.primaryScreenHeight()};
}

Rect ScreenCapture::windowCaptureRect(WindowHandle window) {
  // No window, or one whose rectangle cannot be read: the whole screen rather than guesswork.
  if (!window) return primaryScreenRect();
  // The visible frame where the system can tell it: the window's rectangle also holds the
  // invisible resize borders, which would bring strips of whatever lies behind.
  auto rect = platform_.windowing.visibleFrame(window);
  if (!rect) rect = platform_.windowing.windowRect(window);
  if (!rect) return primaryScreenRect();
  return clampToWorkArea(*rect, platform_.screen.workArea());
}

std::optional<Rect> ScreenCapture::captureRectFor(int id) {
  switch (id) {
    case kScreenHotkey:
    case kShiftScreenHotkey:
      return primaryScreenRect();
    case kForegroundHotkey:
      return windowCaptureRect(platform_.windowing.foregroundWindow());
    case kPointerHotkey: {
      const auto pointer = platform_.keyboardMouse.cursorPos();
      if (!pointer) throw AppError("マウスカーソルの位置を取得できません");
      return windowCaptureRect(topLevelWindowOf(platform_.windowing.windowFromPoint(*pointer)));
    }
    default:
      return std::nullopt;
  }
}

void ScreenCapture::onCaptureHotkey(int id) {
  const auto rect = captureRectFor(id);
  if (!rect) return;
  BusyWhileAtWork busy(captureBusy_);
  writer_.saveCapture(captureScreenArea(*rect), {.copyToClipboard = true, .failed = nullptr, .saved = nullptr});
}

PixelBuffer ScreenCapture::captureScreenArea(const Rect& rect) {
  const std::int64_t width = std::int64_t{rect.right} - rect.left;
  const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
  if (width != 0 && height != 0 && (width < 0 || height < 0))
    throw AppError("ビットマップを作成できません");
  if (width == 0 || height == 0) {
    PixelBuffer empty;  // a bitmap without pixels; the writer refuses it
    empty.width = static_cast<std::int32_t>(width);
    empty.height = static_cast<std::int32_t>(height);
    return empty;
  }
  std::optional<Point> cursorAt;
  std::uintptr_t cursor = 0;
  if (context_.settings.drawsCursor()) {
    const auto state = platform_.screen.cursorState();
    const auto hotspot = state ? platform_.screen.cursorHotspot(state->cursor) : std::nullopt;
    if (state && hotspot) {
      cursor = state->cursor;
      cursorAt = cursorOverlayPosition(state->position, *hotspot, {rect.left, rect.top});
    }
  }
  return inUserWords("ビットマップを作成できません。",
                     [&] { return platform_.screen.copyScreen(rect, cursorAt, cursor); });
}

}  // namespace vireloc
