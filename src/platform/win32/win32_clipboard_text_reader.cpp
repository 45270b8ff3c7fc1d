#include "platform/win32/win32_clipboard_text_reader.h"

#include <exception>

namespace vireloc {

namespace {

// Reading and converting a text takes little stack; the program's default reserves 2 MB.
constexpr SIZE_T kStackBytes = 256 * 1024;
// At exit: enough for Wine to hand over a text of tens of megabytes on a busy machine, and
// no more, so that a program that never renders what it copied cannot hold the exit.
constexpr DWORD kExitWaitMs = 2000;

}  // namespace

Win32ClipboardTextReader::Win32ClipboardTextReader(Windowing& windowing)
    : worker_(windowing, {.windowClass = "VirelocClipboardText",
                          .stackReservation = kStackBytes,
                          .exitWaitMs = kExitWaitMs}) {}

void Win32ClipboardTextReader::readText(WindowHandle owner, Answer answer) {
  try {
    worker_.post(
        [state = state_, owner] {
          return readClipboardText(state->clipboard, owner, state->lastSequence);
        },
        std::move(answer));
  } catch (const std::exception&) {
    // No thread to read it: the text goes unrecorded, as when the clipboard stays held.
  }
}

}  // namespace vireloc
