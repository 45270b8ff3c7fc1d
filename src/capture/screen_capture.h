#pragma once
#include <optional>

#include "forms/program_context.h"
#include "capture/capture_writer.h"

namespace vireloc {

// The four PrintScreen hotkeys and the copy of the chosen screen area.
class ScreenCapture {
 public:
  static constexpr int kScreenHotkey = 101;
  static constexpr int kForegroundHotkey = 102;
  static constexpr int kPointerHotkey = 103;
  static constexpr int kShiftScreenHotkey = 104;

  // captureBusy is true while a capture is at work, so the clipboard image monitor leaves
  // alone what the capture puts on the clipboard.
  ScreenCapture(ProgramContext& context, CaptureWriter& writer, bool& captureBusy)
      : context_(context), platform_(context.platform), writer_(writer), captureBusy_(captureBusy) {}

  void registerCaptureHotkeys();
  void unregisterCaptureHotkeys();
  // One capture for one WM_HOTKEY.
  void onCaptureHotkey(int id);
  // The screen inside rect, with the cursor drawn in when ClipCpCursor is "1".
  PixelBuffer captureScreenArea(const Rect& rect);
  WindowHandle topLevelWindowOf(WindowHandle window);

 private:
  std::optional<Rect> captureRectFor(int id);
  Rect primaryScreenRect();
  Rect windowCaptureRect(WindowHandle window);

  ProgramContext& context_;
  Platform& platform_;
  CaptureWriter& writer_;
  bool& captureBusy_;
};

// Where the cursor image goes so that its hotspot lands on the pointer.
Point cursorOverlayPosition(Point pointer, Point hotspot, Point origin);
// Cuts a window rectangle at the screen origin and the work area's right and bottom edges.
Rect clampToWorkArea(Rect rect, const Rect& workArea);

}  // namespace vireloc
