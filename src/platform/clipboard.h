// The clipboard and its viewer chain.
#pragma once
#include <optional>
#include <string>

#include "platform/pixel_buffer.h"
#include "platform/types.h"

namespace vireloc {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // SetClipboardViewer: the next viewer (0 when none), or nothing when joining failed.
  virtual std::optional<WindowHandle> setClipboardViewer(WindowHandle window) = 0;
  // ChangeClipboardChain.
  virtual bool changeClipboardChain(WindowHandle remove, WindowHandle next) = 0;
  // CountClipboardFormats: 0 when the clipboard is empty.
  virtual int countClipboardFormats() = 0;
  // OpenClipboard: false while another program holds it open.
  virtual bool openClipboard(WindowHandle owner) = 0;
  virtual bool emptyClipboard() = 0;
  virtual void closeClipboard() = 0;
  // The text on the (opened) clipboard, or nothing when it holds none.
  virtual std::optional<std::string> clipboardText() = 0;
  // Puts text on the (opened and emptied) clipboard.
  virtual bool setClipboardText(const std::string& text) = 0;
  // The bitmap on the (opened) clipboard in its own format, or nothing.
  virtual std::optional<PixelBuffer> clipboardBitmap() = 0;
  // Puts a device-dependent copy of the image (CF_BITMAP, and CF_PALETTE when it has a
  // palette) on the (opened and emptied) clipboard.
  virtual bool setClipboardBitmap(const PixelBuffer& image) = 0;
};

}  // namespace vireloc
