// The clipboard of the simulated desktop and the viewer chain that hears of its changes.
#pragma once
#include <map>
#include <optional>
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
  int countClipboardFormats() override;
  std::uint32_t clipboardSequenceNumber() override { return clipboardSequence; }
  bool openClipboard(WindowHandle owner) override;
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
  bool clipboardViewerFails = false;  // SetClipboardViewer refuses with an error
  bool clipboardImageFails = false;  // no graphics memory for the clipboard's copy
  bool clipboardOpen = false;
  WindowHandle clipboardViewer = 0;       // first viewer of the chain
  std::vector<std::string> clipboardLog;  // "open", "empty", "close", ...
  std::uint32_t clipboardSequence = 1;
  // Another program replaces the clipboard's contents; the chain hears of it.
  void otherProgramCopies(SimClipboardContent content);

 private:
  Windowing& windowing_;
  bool clipboardChangedWhileOpen_ = false;
};

}  // namespace vireloc::sim
