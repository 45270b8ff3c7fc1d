#include "clipboard/clipboard_watcher.h"

#include <exception>
#include <optional>
#include <utility>

#include "common/app_error.h"
#include "common/busy_flag.h"
#include "platform/opened_clipboard.h"

namespace vireloc {

namespace {
// A bitmap on the clipboard: CF_BITMAP and the two forms the system makes of it.
constexpr int kImageFormats = 3;
// How long the next viewer may take over a notice before the program goes on without its
// answer; one that has stopped answering for seconds costs nothing at all.
constexpr std::uint32_t kPassOnTimeoutMs = 300;
}  // namespace

void ClipboardWatcher::joinClipboardChain() {
  window_ = context_.formHandle();
  listening_ = platform_.clipboard.addClipboardFormatListener(window_);
  // The first change notification arrives inside this call, before nextViewer is known.
  const auto next = platform_.clipboard.setClipboardViewer(window_);
  if (!next) {
    context_.application.showMessage("なぜかクリップボードのフックに失敗しました(T_T)");
    return;
  }
  inChain_ = true;
  nextViewer = *next == window_ ? 0 : *next;
}

ClipboardWatcher::~ClipboardWatcher() { platform_.clipboardTextReader.dropPending(); }

void ClipboardWatcher::leaveClipboardChain() {
  if (std::exchange(listening_, false)) platform_.clipboard.removeClipboardFormatListener(window_);
  if (std::exchange(inChain_, false)) platform_.clipboard.changeClipboardChain(window_, nextViewer);
}

void ClipboardWatcher::onClipboardChange() {
  handleChangeOnce();
  passOn(wm::DrawClipboard, 0, 0);
}

void ClipboardWatcher::onClipboardUpdate() { handleChangeOnce(); }

void ClipboardWatcher::onClipboardChainChange(WindowHandle removed, WindowHandle following) {
  // No honest viewer leaves as "no window" or names the program as the one after it; either
  // would make the program pass every notice to itself.
  if (removed == 0 || following == window_) return;
  if (removed == nextViewer) nextViewer = following;
  passOn(wm::ChangeCbChain, removed, following);
}

void ClipboardWatcher::passOn(std::uint32_t message, WParam wParam, LParam lParam) {
  if (!nextViewer || nextViewer == window_) return;
  // A viewer that does not answer must not stop the program; the link to it stays, so that
  // it hears of later changes once it answers again.
  platform_.windowing.sendMessageTimeout(nextViewer, message, wParam, lParam, kPassOnTimeoutMs);
}

void ClipboardWatcher::handleChangeOnce() {
  // The number moves by several steps for one change (under Wine a text copy moves it by 4),
  // so only equality tells that the change was handled already; 0 means it cannot be read.
  const std::uint32_t sequence = platform_.clipboard.clipboardSequenceNumber();
  if (sequence != 0 && sequence == lastHandledSequence_) return;
  lastHandledSequence_ = sequence;
  try {
    handleChange();
  } catch (const std::exception&) {
    // Silently: a clipboard another program holds open, a bitmap gone before it was read or
    // a file that cannot be written must not interrupt the user for every copy.
  }
}

void ClipboardWatcher::handleChange() {
  if (platform_.clipboard.countClipboardFormats() < 1) return;
  if (platform_.clipboard.clipboardHoldsText()) {
    // The history window's own write is not recorded: its text, which may be tens of
    // megabytes, is not even read back.
    if (!shared_.selfCopy) readText();
    return;
  }
  {
    OpenedClipboard clipboard(platform_.clipboard, context_.application.handle());
    if (platform_.clipboard.clipboardAsksNotToBeRecorded()) return;
  }
  saveClipboardImage();
}

void ClipboardWatcher::readText() {
  // Texts come back in the order copied, each after the reads of the changes before it.
  platform_.clipboardTextReader.readText(
      context_.application.handle(), [this](std::optional<std::string> text) {
        if (!text || text->empty()) return;
        try {
          recordText(std::move(*text));
        } catch (const std::exception&) {
          // As for every change: never a box for a copy.
        }
      });
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
  BusyWhileAtWork busy(shared_.captureBusy);
  const bool screen = context_.settings.monitorCapturesScreen();
  CaptureFollowUp followUp{.copyToClipboard = screen,
                           .failed = [this](const std::string& reason) { monitorFailed(reason); },
                           .saved = [this] { monitorFailureTold_ = false; }};
  try {
    if (!screen) return writer_.saveCapture(readClipboardImage(), std::move(followUp));
    const Rect primary{0, 0, platform_.screen.primaryScreenWidth(),
                       platform_.screen.primaryScreenHeight()};
    writer_.saveCapture(capture_.captureScreenArea(primary), std::move(followUp));
  } catch (const std::exception& error) {
    monitorFailed(error.what());
  }
}

void ClipboardWatcher::monitorFailed(const std::string& reason) {
  // A box at every copy would stop the user's work; a balloon says it once, until an image
  // is saved again.
  if (monitorFailureTold_) return;
  monitorFailureTold_ = true;
  showBalloon("Vireloc", "クリップボードの画像を保存できませんでした。" + reason);
}

PixelBuffer ClipboardWatcher::readClipboardImage() {
  OpenedClipboard clipboard(platform_.clipboard, context_.application.handle());
  auto image = platform_.clipboard.clipboardBitmap();
  if (!image) throw AppError("クリップボードに画像がありません");
  return std::move(*image);
}

}  // namespace vireloc
