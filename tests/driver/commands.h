// The driver's commands; each takes the arguments after its name and returns the exit code,
// or throws Failure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

int listWindows(const Args& args);
int findWindow(const Args& args);
int findClass(const Args& args);
int windowText(const Args& args);
int windowRect(const Args& args);
int postMessage(const Args& args);
int registerMessage(const Args& args);
int junkMessages(const Args& args);
int holdFile(const Args& args);
int trayCallback(const Args& args);
int trayIcons(const Args& args);
int desktopXWindow(const Args& args);
int waitWindow(const Args& args);
int waitNoWindow(const Args& args);
int waitIdle(const Args& args);
int windowChildren(const Args& args);
int listBoxItems(const Args& args);
int controlState(const Args& args);
int windowInfo(const Args& args);
int moveWindow(const Args& args);
int keyLog(const Args& args);
int treeItems(const Args& args);
int focusedWindow(const Args& args);
int dropFiles(const Args& args);
// DROPFILES, then each path as UTF-16 with its NUL, then one more NUL.
std::vector<char> dropFilesBlock(const std::vector<std::wstring>& paths, POINT at);
int dragFiles(const Args& args);
int fileMd5(const Args& args);
int programWindows(const Args& args);
int sendChainNotice(const Args& args);  // the program's own fileMd5, as lower-case hex

// The clipboard, opened for one scope with the driver's own window. Another program may hold
// it briefly, so a few attempts are made before a Failure.
class OpenClipboardScope {
 public:
  OpenClipboardScope();

 private:
  ClipboardSession clipboard_;
};

int clipboardGetText(const Args& args);
int clipboardSetText(const Args& args);
int clipboardClear(const Args& args);
int clipboardFormats(const Args& args);
int clipboardHold(const Args& args);
int clipboardSetTextHeld(const Args& args);
int clipboardBitmapInfo(const Args& args);
int clipboardSetPattern(const Args& args);  // a bitmap of the pattern-window picture
int clipboardSetMarkedText(const Args& args);
int clipboardViewer(const Args& args);
// The clipboard's text as UTF-8, or nothing when it holds none; a Failure when it stays held.
std::optional<std::string> clipboardTextUtf8();
int largeTextRecord(const Args& args);
int largeTextReuse(const Args& args);
int clipboardTextBurst(const Args& args);
int processResources(const Args& args);

int menuItems(const Args& args);
int demoMenu(const Args& args);

// Colour of the pattern cell (column, row); each cell is 32x32 pixels from the client origin.
COLORREF patternColour(int column, int row);
// Paints the pattern of patternColour in 32x32 cells; ends the thread's loop when destroyed.
LRESULT CALLBACK patternWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int patternWindow(const Args& args);

}  // namespace vireloc::driver
