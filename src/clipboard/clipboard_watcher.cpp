#include "clipboard/clipboard_watcher.h"

#include <exception>
#include <optional>

#include "common/app_error.h"
#include "common/busy_flag.h"
#include "platform/opened_clipboard.h"

namespace vireloc {

namespace {
// A bitmap on the clipboard: CF_BITMAP and the two forms the system makes of it.
constexpr int kImageFormats = 3;
}  // namespace

void ClipboardWatcher::joinClipboardChain() {
  // The first change notification arrives inside this call, before nextViewer is known.
  const auto next = platform_.clipboard.setClipboardViewer(context_.formHandle());
  if (!next) {
    context_.application.showMessage("なぜかクリップボードのフックに失敗しました(T_T)");
    return;
  }
  nextViewer = *next;
}

void ClipboardWatcher::leaveClipboardChain() {
  platform_.clipboard.changeClipboardChain(context_.formHandle(), nextViewer);
}

void ClipboardWatcher::onClipboardChange() {
  try {
    handleChange();
  } catch (const std::exception&) {
    // Silently: a clipboard another program holds open, a bitmap gone before it was read or
    // a file that cannot be written must not interrupt the user for every copy.
  }
  if (nextViewer) platform_.windowing.sendMessage(nextViewer, wm::DrawClipboard, 0, 0);
}

void ClipboardWatcher::onClipboardChainChange(WindowHandle removed, WindowHandle following) {
  if (removed == nextViewer) nextViewer = following;
  if (nextViewer) platform_.windowing.sendMessage(nextViewer, wm::ChangeCbChain, removed, following);
}

void ClipboardWatcher::handleChange() {
  if (platform_.clipboard.countClipboardFormats() < 1) return;
  std::optional<std::string> text;
  {
    OpenedClipboard clipboard(platform_.clipboard, context_.application.handle());
    if (platform_.clipboard.clipboardAsksNotToBeRecorded()) return;
    text = platform_.clipboard.clipboardText();
  }
  if (text && !text->empty() && !shared_.selfCopy) {
    recordText(std::move(*text));
    return;
  }
  saveClipboardImage();
}

void ClipboardWatcher::recordText(std::string text) {
  shared_.clipHistory.record(std::move(text));
  if (!historyView.isOpen()) {
    if (context_.settings.AutoPopup || historyView.autoPopupTicked()) historyView.open();
  } else {
    historyView.refresh();
  }
}

void ClipboardWatcher::saveClipboardImage() {
  if (platform_.clipboard.countClipboardFormats() != kImageFormats) return;
  if (!context_.settings.imageMonitorOn() || shared_.captureBusy) return;
  // The program's own captures on the clipboard are files already.
  if (shared_.ownWrites.clipboardHoldsOwnWrite()) return;
  writer_.ensureSaveFolder();
  BusyWhileAtWork busy(shared_.captureBusy);
  if (!context_.settings.monitorCapturesScreen()) {
    writer_.saveCapture(readClipboardImage());
    return;
  }
  const Rect screen{0, 0, platform_.screen.primaryScreenWidth(),
                    platform_.screen.primaryScreenHeight()};
  const PixelBuffer bitmap = capture_.captureScreenArea(screen);
  writer_.saveCapture(bitmap);
  writer_.copyCaptureToClipboard(bitmap);
}

PixelBuffer ClipboardWatcher::readClipboardImage() {
  OpenedClipboard clipboard(platform_.clipboard, context_.application.handle());
  auto image = platform_.clipboard.clipboardBitmap();
  if (!image) throw AppError("クリップボードに画像がありません");
  return std::move(*image);
}

}  // namespace vireloc
