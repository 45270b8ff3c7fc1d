// What the program's history window shows, and the driver's own text on the clipboard:
// shared by the commands that copy texts and wait for the program to record them.
#pragma once

#include <windows.h>

#include <string>

namespace vireloc::driver {

// The list box of the open history window, or null while none is open.
HWND historyListBox();
// The text of that row of a list box, empty when there is no such row.
std::wstring listBoxRow(HWND list, int row);
// A message-only window of the driver that owns what it puts on the clipboard.
HWND clipboardOwnerWindow();
// Empties the clipboard and puts the text there as CF_UNICODETEXT.
void putClipboardText(const std::wstring& text);
// Waits a moment while answering what other programs send this thread: emptying the
// clipboard asks its owner, the driver, to let go of its text and waits for the answer.
void pauseAnswering();

}  // namespace vireloc::driver
