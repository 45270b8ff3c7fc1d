#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

#include "common/app_error.h"
#include "platform/sim/sim_desktop.h"

namespace vireloc::sim {

std::optional<WindowHandle> SimDesktop::setClipboardViewer(WindowHandle window) {
  if (clipboardViewerFails) return std::nullopt;
  const WindowHandle next = clipboardViewer;
  clipboardViewer = window;
  sendMessage(window, wm::DrawClipboard, 0, 0);
  return next;
}

bool SimDesktop::changeClipboardChain(WindowHandle remove, WindowHandle next) {
  if (clipboardViewer != remove) return false;
  clipboardViewer = next;
  return true;
}

int SimDesktop::countClipboardFormats() {
  const int bitmapFormats = !clipboard.bitmap ? 0 : clipboard.bitmap->palette.empty() ? 3 : 4;
  return (clipboard.text ? 4 : 0) + bitmapFormats + clipboard.otherFormats +
         static_cast<int>(clipboard.namedFormats.size());
}

void SimDesktop::otherProgramCopies(SimClipboardContent content) {
  clipboard = std::move(content);
  ++clipboardSequence;
  if (clipboardViewer) sendMessage(clipboardViewer, wm::DrawClipboard, 0, 0);
}

bool SimDesktop::clipboardAsksNotToBeRecorded() {
  const auto& named = clipboard.namedFormats;
  if (named.count("ExcludeClipboardContentFromMonitorProcessing") ||
      named.count("Clipboard Viewer Ignore"))
    return true;
  auto history = named.find("CanIncludeInClipboardHistory");
  return history != named.end() && history->second == 0u;
}

bool SimDesktop::openClipboard(WindowHandle owner) {
  clipboardLog.push_back("open");
  if (clipboardHeldByOther || clipboardOpen) return false;
  clipboardOpen = true;
  return true;
}

bool SimDesktop::emptyClipboard() {
  clipboardLog.push_back("empty");
  if (!clipboardOpen) return false;
  clipboard = SimClipboardContent{};
  ++clipboardSequence;
  clipboardChangedWhileOpen_ = true;
  return true;
}

void SimDesktop::closeClipboard() {
  clipboardLog.push_back("close");
  clipboardOpen = false;
  // As under Windows, the first viewer hears of the change inside the closing call.
  if (std::exchange(clipboardChangedWhileOpen_, false) && clipboardViewer)
    sendMessage(clipboardViewer, wm::DrawClipboard, 0, 0);
}

std::optional<std::string> SimDesktop::clipboardText() {
  return clipboardOpen ? clipboard.text : std::nullopt;
}

bool SimDesktop::setClipboardText(const std::string& text) {
  if (!clipboardOpen) return false;
  clipboard.text = text;
  ++clipboardSequence;
  clipboardChangedWhileOpen_ = true;
  return true;
}

std::optional<PixelBuffer> SimDesktop::clipboardBitmap() {
  return clipboardOpen ? clipboard.bitmap : std::nullopt;
}

namespace {
struct SimClipboardImage final : ClipboardImage {
  explicit SimClipboardImage(const PixelBuffer& image) : image(image) {}
  PixelBuffer image;
};
}  // namespace

std::unique_ptr<ClipboardImage> SimDesktop::makeClipboardImage(const PixelBuffer& image) {
  if (clipboardImageFails) throw SystemError(8, "この操作を完了するのに十分な記憶域がありません。");
  return std::make_unique<SimClipboardImage>(image);
}

bool SimDesktop::setClipboardImage(std::unique_ptr<ClipboardImage> image) {
  if (!clipboardOpen || !image) return false;
  clipboard.bitmap = std::move(static_cast<SimClipboardImage&>(*image).image);
  ++clipboardSequence;
  clipboardChangedWhileOpen_ = true;
  return true;
}

PixelBuffer SimDesktop::copyScreen(const Rect& area, std::optional<Point> cursorAt,
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

std::optional<CursorState> SimDesktop::cursorState() {
  if (!cursor) return std::nullopt;
  return CursorState{cursorHandle, *cursor};
}

std::optional<Point> SimDesktop::cursorHotspot(std::uintptr_t cursor) {
  if (cursor == 0) return std::nullopt;
  return cursorHotspotPoint;
}

}  // namespace vireloc::sim
