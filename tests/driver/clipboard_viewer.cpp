// A member of the clipboard viewer chain as a well-behaved older program is one: it passes
// every notification on and repairs the chain when the viewer after it leaves. Told to by a
// posted message, it misbehaves as careless programs do: stops answering for a while, or ends
// without leaving the chain.
#include <optional>

#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {

// Posted by a scenario: not answering (until told, wParam seconds at most); ending at once,
// still in the chain.
constexpr UINT kHang = WM_APP + 1;
constexpr UINT kVanish = WM_APP + 2;

HWND nextViewer = nullptr;
bool joined = false;  // only a window in the chain unchains itself and says so

// What the clipboard holds now, for the line of one notification.
std::string clipboardState() {
  try {
    const std::optional<std::string> text = clipboardTextUtf8();
    return text ? "text " + *text : "no-text";
  } catch (const Failure&) {
    return "held";
  }
}

LRESULT CALLBACK viewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD: {
      // The first one arrives inside SetClipboardViewer, whose caller reads the last error.
      const DWORD lastError = GetLastError();
      printLine("draw " + clipboardState());
      if (nextViewer) SendMessageW(nextViewer, message, wParam, lParam);
      SetLastError(lastError);
      return 0;
    }
    case WM_CHANGECBCHAIN:
      printLine("chain " + hexHandle(reinterpret_cast<HWND>(wParam)) + " " +
                hexHandle(reinterpret_cast<HWND>(lParam)));
      if (reinterpret_cast<HWND>(wParam) == nextViewer)
        nextViewer = reinterpret_cast<HWND>(lParam);
      else if (nextViewer)
        SendMessageW(nextViewer, message, wParam, lParam);
      return 0;
    case kHang: {
      // Until a file "wake" appears in the current folder, wParam seconds at most.
      printLine("hanging");
      const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(wParam) * 1000;
      while (GetTickCount64() < until && GetFileAttributesW(L"wake") == INVALID_FILE_ATTRIBUTES)
        Sleep(50);
      printLine("answering");
      return 0;
    }
    case kVanish:
      printLine("vanishing");
      ExitProcess(0);
    case WM_TIMER:  // time to leave: the window goes once the loop ends
      PostQuitMessage(0);
      return 0;
    case WM_DESTROY:
      if (joined) {
        ChangeClipboardChain(window, nextViewer);
        printLine("left");
      }
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int clipboardViewer(const Args& args) {
  requireArgs(args, 1, "clipboard-viewer <seconds>");
  const auto seconds = static_cast<UINT>(parseNumber(args[0], "seconds"));
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = viewerProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"ViRelocClipboardViewer";
  RegisterClassW(&windowClass);
  // Hidden and top-level, as a program's main window is.
  const OwnedWindow window(CreateWindowExW(0, L"ViRelocClipboardViewer", L"vireloc-clipboard-viewer",
                                           0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
  if (!window) throw Failure("CreateWindow failed, error " + std::to_string(GetLastError()));
  SetTimer(window.get(), 1, seconds * 1000, nullptr);
  // The first notification arrives inside this call, before the next viewer is known.
  SetLastError(0);
  nextViewer = SetClipboardViewer(window.get());
  if (!nextViewer && GetLastError() != 0)
    throw Failure("SetClipboardViewer failed, error " + std::to_string(GetLastError()));
  joined = true;
  printLine("joined " + hexHandle(window.get()) + " " + hexHandle(nextViewer));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

}  // namespace vireloc::driver
