#include "platform/clipboard_text_reader.h"

#include "platform/opened_clipboard.h"

namespace vireloc {

std::optional<std::string> readClipboardText(Clipboard& clipboard, WindowHandle owner,
                                             std::uint32_t& lastSequence) {
  if (!openClipboardSoon(clipboard, owner)) return std::nullopt;
  struct Closer {
    Clipboard& clipboard;
    ~Closer() { clipboard.closeClipboard(); }
  } closer{clipboard};
  // Nobody changes the clipboard while it is open: the number names what is read. A read
  // that waited behind another may find what that one read (0: no way to tell).
  const std::uint32_t sequence = clipboard.clipboardSequenceNumber();
  if (sequence != 0 && sequence == lastSequence) return std::nullopt;
  lastSequence = sequence;
  if (clipboard.clipboardAsksNotToBeRecorded()) return std::nullopt;
  return clipboard.clipboardText();
}

}  // namespace vireloc
