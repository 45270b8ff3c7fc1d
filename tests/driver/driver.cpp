// vireloc-driver: drives and inspects the program from outside, one command per run.
#include <cstdio>

#include "capture_commands.h"
#include "commands.h"

using namespace vireloc::driver;
using vireloc::toUtf8;

namespace {

struct Command {
  const wchar_t* name;
  int (*run)(const Args&);
  const char* help;
};

const Command kCommands[] = {
    {L"list-windows", listWindows, "handle, class, visible, owner, title of every top-level window"},
    {L"find-window", findWindow, "<title>: handles of top-level windows with that title"},
    {L"find-class", findClass, "<class>: handles of top-level windows of that class"},
    {L"window-text", windowText, "<hwnd>: the window's text"},
    {L"window-rect", windowRect, "<hwnd>: left top width height"},
    {L"post", postMessage, "<hwnd> <msg> <wparam> <lparam>: PostMessage"},
    {L"program-windows", programWindows,
     "<hwnd>: handle, class of each top-level and message-only window of its process"},
    {L"send-chain-notice", sendChainNotice, "<hwnd> <removed> <following>: send WM_CHANGECBCHAIN"},
    {L"junk-messages", junkMessages,
     "<hwnd> [<first> <last> <step>]: forged private messages (that range, or where programs put "
     "theirs) to every window of its program, each waited for"},
    {L"register-message", registerMessage, "<name>: RegisterWindowMessage number"},
    {L"tray-callback", trayCallback, "<lparam> [wparam]: tray callback as the shell sends it"},
    {L"tray-icons", trayIcons,
     "left top width height, tip of each icon shown in the taskbar's notification area"},
    {L"desktop-x-window", desktopXWindow, "X window of the programs' virtual desktop"},
    {L"wait-window", waitWindow, "<title> <seconds>: wait until such a window exists"},
    {L"wait-no-window", waitNoWindow, "<title> <seconds>: wait until no such window exists"},
    {L"wait-idle", waitIdle, "<hwnd> <seconds>: wait until its program waits for input"},
    {L"window-children", windowChildren, "<hwnd>: handle, class, text of each child window"},
    {L"list-box-items", listBoxItems, "<hwnd>: item height, then index and text of each item"},
    {L"control-state", controlState, "<hwnd>: checked or unchecked, enabled or disabled"},
    {L"tree-items", treeItems, "<hwnd>: depth, flags, client rect, text of each shown tree item"},
    {L"focus", focusedWindow, "the window with the keyboard focus in the foreground thread"},
    {L"window-info", windowInfo, "<hwnd>: client width height, style, extended style"},
    {L"move-window", moveWindow, "<hwnd> <x> <y>: move the window's top-left corner there"},
    {L"drop-files", dropFiles, "<hwnd> <path>... | <hwnd> --count N <path>: drop files on the window as the shell does "
     "(N: the path, then N - 1 made-up ones)"},
    {L"drag-files", dragFiles,
     "<seconds> <path>...: a left press on the source window it shows (printed: source x y) "
     "starts an OLE drag of the files; prints dragging, feedback <effect>, dropped <effect>"},
    {L"key-log", keyLog, "<seconds> [events]: key events seen by a low-level hook"},
    {L"clipboard-get-text", clipboardGetText, "the clipboard's text"},
    {L"clipboard-set-text", clipboardSetText, "<text>: put text on the clipboard"},
    {L"clipboard-clear", clipboardClear, "empty the clipboard"},
    {L"clipboard-formats", clipboardFormats, "count, then number and name of each format"},
    {L"clipboard-hold", clipboardHold, "<ms>: keep the clipboard open that long"},
    {L"clipboard-set-text-held", clipboardSetTextHeld,
     "<text> <ms>: put text on the clipboard, then at once keep it open that long"},
    {L"clipboard-bitmap-info", clipboardBitmapInfo, "width height bpp of CF_BITMAP"},
    {L"clipboard-set-pattern", clipboardSetPattern, "<w> <h>: put the pattern as CF_BITMAP"},
    {L"clipboard-set-marked-text", clipboardSetMarkedText,
     "<format> <dword> <text>: text with a registered format holding that DWORD"},
    {L"clipboard-viewer", clipboardViewer,
     "<seconds>: join the viewer chain, print each notification, leave then or on WM_CLOSE; "
     "posted WM_APP+1 <s>: answer nothing for s seconds; WM_APP+2: end without leaving"},
    {L"large-text-record", largeTextRecord,
     "<list-box|history> <utf16-chars>: copy a text that long, time it into row 0 (of the history "
     "window, opened by the copy if need be), longest loop wait"},
    {L"large-text-reuse", largeTextReuse,
     "<list-box> <utf16-chars>: empty the clipboard, double-click row 0, time the text back"},
    {L"clipboard-text-burst", clipboardTextBurst,
     "<count> <prefix> [close-every]: copy '<prefix> 1' to '<prefix> <count>', each waited for in "
     "row 0 of the history window; close that window after every close-every texts"},
    {L"process-resources", processResources,
     "<hwnd>: GDI objects, USER objects and handles of the window's process (or not-reported)"},
    {L"menu-items", menuItems, "path, flags, caption of each item of the open popup menu"},
    {L"demo-menu", demoMenu, "show a sample popup menu until dismissed"},
    {L"pattern-window", patternWindow, "[--child-button] <x> <y> <w> <h>: window with a known pattern"},
    {L"framed-pattern-window", framedPatternWindow, "<x> <y> <w> <h>: the pattern in a captioned window"},
    {L"client-origin", clientOrigin, "<hwnd>: screen position of the client area's top left"},
    {L"foreground", foregroundWindow, "[hwnd]: make it the foreground window, or print that window"},
    {L"work-area", workArea, "left top right bottom of the work area"},
    {L"cursor-info", cursorInfo, "pointer x y, hotspot x y, drawn box l t r b, source"},
    {L"clipboard-save-bitmap", clipboardSaveBitmap, "<file.bmp>: save CF_BITMAP as 24-bit BMP"},
    {L"message-box-icon", messageBoxIcon, "<hwnd>: whether the box shows an icon (icon/none)"},
    {L"hold-file", holdFile,
     "<path> <release path>: hold the file open without sharing until the release path exists"},
    {L"file-md5", fileMd5, "<path>: MD5 of the file by the program's own fileMd5"},
};

void printUsage() {
  std::fputs("usage: vireloc-driver <command> [arguments]\n", stderr);
  for (const Command& command : kCommands)
    std::fprintf(stderr, "  %s %s\n", toUtf8(command.name).c_str(), command.help);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Screen pixels, as the program and the screenshots see them: an unaware process would get
  // every place and size scaled back to 96 DPI on a denser screen.
  SetProcessDPIAware();
  if (argc < 2) {
    printUsage();
    return 1;
  }
  for (const Command& command : kCommands) {
    if (argv[1] != std::wstring(command.name)) continue;
    try {
      return command.run(Args(argv + 2, argv + argc));
    } catch (const Failure& failure) {
      std::fprintf(stderr, "vireloc-driver %s: %s\n", toUtf8(command.name).c_str(), failure.what());
      return 1;
    }
  }
  std::fprintf(stderr, "vireloc-driver: unknown command '%s'\n", toUtf8(argv[1]).c_str());
  printUsage();
  return 1;
}
