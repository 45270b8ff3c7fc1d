// The clipboard of the simulated desktop and the viewer chain that hears of its changes.
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/windowing.h"

namespace vireloc::sim {

// What a test sees of the clipboard. Formats count as under Windows: a text is four (its
// Unicode, ANSI and OEM forms and its locale), a bitmap three (itself, DIB and DIBV5).
struct SimClipboardContent {
  std::optional<std::string> text;
  std::optional<PixelBuffer> bitmap;
  int otherFormats = 0;  // formats the program does not read
  // Registered formats by name, with the DWORD some of them hold.
  std::map<std::string, std::optional<std::uint32_t>> namedFormats;
};

class SimClipboard : public Clipboard {
 public:
  // The viewer chain hears of changes through windowing's messages.
  explicit SimClipboard(Windowing& windowing) : windowing_(windowing) {}

  std::optional<WindowHandle> setClipboardViewer(WindowHandle window) override;
  bool changeClipboardChain(WindowHandle remove, WindowHandle next) override;
  bool addClipboardFormatListener(WindowHandle window) override;
  bool removeClipboardFormatListener(WindowHandle window) override;
  int countClipboardFormats() override;
  bool clipboardHoldsText() override { return clipboard.text.has_value(); }
  std::uint32_t clipboardSequenceNumber() override;
  bool openClipboard(WindowHandle owner) override;
  void sleep(std::uint32_t milliseconds) override { clipboardSleeps.push_back(milliseconds); }
  bool emptyClipboard() override;
  void closeClipboard() override;
  std::optional<std::string> clipboardText() override;
  bool clipboardAsksNotToBeRecorded() override;
  bool setClipboardText(const std::string& text) override;
  std::optional<PixelBuffer> clipboardBitmap() override;
  std::unique_ptr<ClipboardImage> makeClipboardImage(const PixelBuffer& image) override;
  bool setClipboardImage(std::unique_ptr<ClipboardImage> image) override;

  // ==== Test side
  SimClipboardContent clipboard;
  bool clipboardHeldByOther = false;
  int clipboardHeldForAttempts = 0;  // another program lets go after that many tries to open it
  std::vector<std::uint32_t> clipboardSleeps;  // pauses asked for, in ms; none is really taken
  bool clipboardViewerFails = false;  // SetClipboardViewer refuses with an error
  bool clipboardImageFails = false;  // no graphics memory for the clipboard's copy
  bool clipboardOpen = false;
  WindowHandle clipboardViewer = 0;       // first viewer of the chain
  std::set<WindowHandle> clipboardListeners;
  std::vector<std::string> clipboardLog;  // "open", "empty", "close", "read text", ...
  std::uint32_t clipboardSequence = 1;
  bool clipboardSequenceUnknown = false;  // the number reads 0, as without clipboard access
  // Another program replaces the clipboard's contents; the chain hears of it at once, the
  // listeners through the message queue.
  void otherProgramCopies(SimClipboardContent content);

 private:
  void tellOfChange();

  Windowing& windowing_;
  bool clipboardChangedWhileOpen_ = false;
};

}  // namespace vireloc::sim
