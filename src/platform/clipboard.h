// The clipboard and its viewer chain.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "platform/pixel_buffer.h"
#include "platform/types.h"

namespace vireloc {

// An image made ready for the clipboard (a device-dependent bitmap, with its palette when it
// has one); freed unless the clipboard takes it.
class ClipboardImage {
 public:
  virtual ~ClipboardImage() = default;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // SetClipboardViewer: the next viewer (0 when none), or nothing when joining failed.
  virtual std::optional<WindowHandle> setClipboardViewer(WindowHandle window) = 0;
  // ChangeClipboardChain.
  virtual bool changeClipboardChain(WindowHandle remove, WindowHandle next) = 0;
  // AddClipboardFormatListener: WM_CLIPBOARDUPDATE is posted to window after every change.
  virtual bool addClipboardFormatListener(WindowHandle window) = 0;
  // RemoveClipboardFormatListener.
  virtual bool removeClipboardFormatListener(WindowHandle window) = 0;
  // CountClipboardFormats: 0 when the clipboard is empty.
  virtual int countClipboardFormats() = 0;
  // IsClipboardFormatAvailable(CF_UNICODETEXT): whether it holds text, without opening it.
  virtual bool clipboardHoldsText() = 0;
  // GetClipboardSequenceNumber: changes with every change of the clipboard's contents.
  virtual std::uint32_t clipboardSequenceNumber() = 0;
  // OpenClipboard: false while another program holds it open.
  virtual bool openClipboard(WindowHandle owner) = 0;
  // Sleep: the pause before trying again to open a clipboard another program holds.
  virtual void sleep(std::uint32_t milliseconds) = 0;
  virtual bool emptyClipboard() = 0;
  virtual void closeClipboard() = 0;
  // The text on the (opened) clipboard (CF_UNICODETEXT, which the system also makes from
  // CF_TEXT), or nothing when it holds none.
  virtual std::optional<std::string> clipboardText() = 0;
  // Whether the program that copied to the (opened) clipboard asked viewers not to keep it
  // (password managers do): the formats "ExcludeClipboardContentFromMonitorProcessing" or
  // "Clipboard Viewer Ignore", or "CanIncludeInClipboardHistory" holding a DWORD 0.
  virtual bool clipboardAsksNotToBeRecorded() = 0;
  // Puts text on the (opened and emptied) clipboard.
  virtual bool setClipboardText(const std::string& text) = 0;
  // The bitmap on the (opened) clipboard in its own format, or nothing.
  virtual std::optional<PixelBuffer> clipboardBitmap() = 0;
  // Builds the device-dependent copy of image before the clipboard is touched, so that a
  // failure leaves the clipboard as it was. Throws SystemError.
  virtual std::unique_ptr<ClipboardImage> makeClipboardImage(const PixelBuffer& image) = 0;
  // Hands a prepared image to the (opened and emptied) clipboard: CF_BITMAP, and CF_PALETTE
  // when it has a palette.
  virtual bool setClipboardImage(std::unique_ptr<ClipboardImage> image) = 0;
};

}  // namespace vireloc
