#pragma once
#include <cstdint>
#include <string>

#include "common/app_error.h"
#include "platform/clipboard.h"

namespace vireloc {

// OpenClipboard, tried again after short pauses: the program that has just copied, or a tool
// reading what it copied, often still holds the clipboard for a few milliseconds.
inline bool openClipboardSoon(Clipboard& clipboard, WindowHandle owner) {
  constexpr std::uint32_t kPausesMs[] = {10, 20, 30};
  if (clipboard.openClipboard(owner)) return true;
  for (std::uint32_t pause : kPausesMs) {
    clipboard.sleep(pause);
    if (clipboard.openClipboard(owner)) return true;
  }
  return false;
}

// The clipboard, opened for the lifetime of the object and closed on every way out. Throws the
// user's error text when another program holds it open for longer than a moment.
class OpenedClipboard {
 public:
  OpenedClipboard(Clipboard& clipboard, WindowHandle owner) : clipboard_(clipboard) {
    if (!openClipboardSoon(clipboard_, owner))
      throw AppError("クリップボードを開くことができません");
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
