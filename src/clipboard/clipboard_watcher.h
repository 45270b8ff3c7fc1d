// mainWindow's membership in the clipboard viewer chain: every change of the clipboard is
// recorded in the text history (its text read on another thread, recorded in the order of
// the changes) or, with the image monitor on, saved as an image file, and always passed on
// to the next viewer at once. The window also listens for clipboard updates, so that
// a chain broken by another program does not end the recording; whichever notice of a change
// comes first has it handled.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "forms/program_context.h"
#include "capture/capture_writer.h"
#include "capture/screen_capture.h"
#include "clipboard/clip_history.h"
#include "clipboard/own_clipboard_writes.h"

namespace vireloc {

class ClipboardWatcher {
 public:
  struct Shared {
    ClipHistory& clipHistory;
    bool& selfCopy;     // the history window is writing one of its entries back
    bool& captureBusy;  // a capture is at work
    OwnClipboardWrites& ownWrites;
  };
  // Says something without a box (the tray icon's balloon); the main form fills it in.
  std::function<void(const std::string& title, const std::string& text)> showBalloon =
      [](const std::string&, const std::string&) {};
  // The history window as this feature needs it; the main form fills these in.
  struct HistoryView {
    std::function<bool()> isOpen = [] { return false; };
    std::function<void()> open = [] {};
    std::function<void()> refresh = [] {};  // the grid, and the erase command enabled
    std::function<bool()> autoPopupTicked = [] { return false; };
  };

  ClipboardWatcher(ProgramContext& context, Shared shared, CaptureWriter& writer,
                   ScreenCapture& capture)
      : context_(context), platform_(context.platform), shared_(shared), writer_(writer),
        capture_(capture) {}
  // Texts still being read are not recorded.
  ~ClipboardWatcher();
  ClipboardWatcher(const ClipboardWatcher&) = delete;
  ClipboardWatcher& operator=(const ClipboardWatcher&) = delete;

  // Joins the chain and starts listening; a failed join is reported, the listening goes on.
  void joinClipboardChain();
  void leaveClipboardChain();
  // WM_DRAWCLIPBOARD. Drops every error of its own; the change always goes on down the chain.
  void onClipboardChange();
  // WM_CLIPBOARDUPDATE. Drops every error of its own.
  void onClipboardUpdate();
  // WM_CHANGECBCHAIN.
  void onClipboardChainChange(WindowHandle removed, WindowHandle following);

  WindowHandle nextViewer = 0;
  HistoryView historyView;

 private:
  void handleChangeOnce();
  void passOn(std::uint32_t message, WParam wParam, LParam lParam);
  void handleChange();
  void readText();
  void recordText(std::string text);
  void saveClipboardImage();
  void monitorFailed(const std::string& reason);
  PixelBuffer readClipboardImage();

  ProgramContext& context_;
  Platform& platform_;
  Shared shared_;
  CaptureWriter& writer_;
  ScreenCapture& capture_;
  bool monitorFailureTold_ = false;  // the balloon said so; no more until a save
  WindowHandle window_ = 0;  // the form's window, once joined
  bool inChain_ = false;
  bool listening_ = false;
  std::uint32_t lastHandledSequence_ = 0;
};

}  // namespace vireloc
