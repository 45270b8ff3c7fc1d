#include <algorithm>
#include <utility>

#include "common/app_error.h"
#include "platform/sim/sim_clipboard.h"

namespace vireloc::sim {

std::optional<WindowHandle> SimClipboard::setClipboardViewer(WindowHandle window) {
  if (clipboardViewerFails) return std::nullopt;
  const WindowHandle next = clipboardViewer;
  clipboardViewer = window;
  windowing_.sendMessage(window, wm::DrawClipboard, 0, 0);
  return next;
}

bool SimClipboard::changeClipboardChain(WindowHandle remove, WindowHandle next) {
  if (clipboardViewer != remove) return false;
  clipboardViewer = next;
  return true;
}

bool SimClipboard::addClipboardFormatListener(WindowHandle window) {
  return clipboardListeners.insert(window).second;
}

bool SimClipboard::removeClipboardFormatListener(WindowHandle window) {
  return clipboardListeners.erase(window) == 1;
}

std::uint32_t SimClipboard::clipboardSequenceNumber() {
  return clipboardSequenceUnknown ? 0 : clipboardSequence;
}

void SimClipboard::tellOfChange() {
  if (clipboardViewer) windowing_.sendMessage(clipboardViewer, wm::DrawClipboard, 0, 0);
  for (WindowHandle listener : clipboardListeners)
    windowing_.postMessage(listener, wm::ClipboardUpdate, 0, 0);
}

int SimClipboard::countClipboardFormats() {
  const int bitmapFormats = !clipboard.bitmap ? 0 : clipboard.bitmap->palette.empty() ? 3 : 4;
  return (clipboard.text ? 4 : 0) + bitmapFormats + clipboard.otherFormats +
         static_cast<int>(clipboard.namedFormats.size());
}

void SimClipboard::otherProgramCopies(SimClipboardContent content) {
  clipboard = std::move(content);
  clipboardSequence += 4;  // as one text copy moves it under Wine: empty, set, close
  tellOfChange();
}

bool SimClipboard::clipboardAsksNotToBeRecorded() {
  const auto& named = clipboard.namedFormats;
  if (named.count("ExcludeClipboardContentFromMonitorProcessing") ||
      named.count("Clipboard Viewer Ignore"))
    return true;
  auto history = named.find("CanIncludeInClipboardHistory");
  return history != named.end() && history->second == 0u;
}

bool SimClipboard::openClipboard(WindowHandle owner) {
  clipboardLog.push_back("open");
  if (clipboardHeldForAttempts > 0) {
    --clipboardHeldForAttempts;
    return false;
  }
  if (clipboardHeldByOther || clipboardOpen) return false;
  clipboardOpen = true;
  return true;
}

bool SimClipboard::emptyClipboard() {
  clipboardLog.push_back("empty");
  if (!clipboardOpen) return false;
  clipboard = SimClipboardContent{};
  ++clipboardSequence;
  clipboardChangedWhileOpen_ = true;
  return true;
}

void SimClipboard::closeClipboard() {
  clipboardLog.push_back("close");
  clipboardOpen = false;
  // As under Windows, the first viewer hears of the change inside the closing call.
  if (std::exchange(clipboardChangedWhileOpen_, false)) {
    clipboardSequence += 2;
    tellOfChange();
  }
}

std::optional<std::string> SimClipboard::clipboardText() {
  clipboardLog.push_back("read text");
  return clipboardOpen ? clipboard.text : std::nullopt;
}

bool SimClipboard::setClipboardText(const std::string& text) {
  if (!clipboardOpen) return false;
  clipboard.text = text;
  ++clipboardSequence;
  clipboardChangedWhileOpen_ = true;
  return true;
}

std::optional<PixelBuffer> SimClipboard::clipboardBitmap() {
  return clipboardOpen ? clipboard.bitmap : std::nullopt;
}

namespace {
struct SimClipboardImage final : ClipboardImage {
  explicit SimClipboardImage(const PixelBuffer& image) : image(image) {}
  PixelBuffer image;
};
}  // namespace

std::unique_ptr<ClipboardImage> SimClipboard::makeClipboardImage(const PixelBuffer& image) {
  if (clipboardImageFails) throw SystemError(8, "この操作を完了するのに十分な記憶域がありません。");
  return std::make_unique<SimClipboardImage>(image);
}

bool SimClipboard::setClipboardImage(std::unique_ptr<ClipboardImage> image) {
  if (!clipboardOpen || !image) return false;
  clipboard.bitmap = std::move(static_cast<SimClipboardImage&>(*image).image);
  ++clipboardSequence;
  clipboardChangedWhileOpen_ = true;
  return true;
}

}  // namespace vireloc::sim
