#pragma once
#include <string>

#include "common/app_error.h"
#include "platform/clipboard.h"

namespace vireloc {

// The clipboard, opened for the lifetime of the object and closed on every way out. Throws the
// user's error text when another program holds it open.
class OpenedClipboard {
 public:
  OpenedClipboard(Clipboard& clipboard, WindowHandle owner) : clipboard_(clipboard) {
    if (!clipboard_.openClipboard(owner)) throw AppError("クリップボードを開くことができません");
  }
  ~OpenedClipboard() { clipboard_.closeClipboard(); }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

 private:
  Clipboard& clipboard_;
};

// Replaces the clipboard's contents with text.
inline void putTextOnClipboard(Clipboard& clipboard, WindowHandle owner, const std::string& text) {
  OpenedClipboard opened(clipboard, owner);
  clipboard.emptyClipboard();
  if (!clipboard.setClipboardText(text)) throw AppError("クリップボードに文字列を置けません");
}

}  // namespace vireloc
