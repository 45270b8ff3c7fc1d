#include <windows.h>
// after windows.h
#include <dwmapi.h>

#include <exception>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_forms.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_window_class.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

MessageHandler* boundHandler(HWND window) {
  return reinterpret_cast<MessageHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// An exception must not unwind through the system's frames: report it to the debugger and
// let the default processing answer the message.
void reportEscapedException(UINT message, const char* what) {
  std::wstring text = L"vireloc: exception while handling message " +
                      std::to_wstring(message) + L": " + toWide(what) + L"\n";
  OutputDebugStringW(text.c_str());
}

LRESULT dispatchToHandler(MessageHandler& handler, HWND window, UINT message, WPARAM wParam,
                          LPARAM lParam) {
  // A message sent inside a system call (the first clipboard notification inside
  // SetClipboardViewer) must not change the last error the caller reads after that call.
  struct KeepLastError {
    DWORD saved = GetLastError();
    ~KeepLastError() { SetLastError(saved); }
  } keepLastError;
  try {
    return handler.handleMessage(fromHwnd(window), message, wParam, lParam);
  } catch (const std::exception& error) {
    reportEscapedException(message, error.what());
  } catch (...) {
    reportEscapedException(message, "unknown exception");
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK hiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  MessageHandler* handler = boundHandler(window);
  if (!handler) return DefWindowProcW(window, message, wParam, lParam);
  return dispatchToHandler(*handler, window, message, wParam, lParam);
}

void ensureClassRegistered(HINSTANCE instance, const std::wstring& className) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = hiddenWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = className.c_str();
  if (!ensureWindowClass(windowClass)) throwLastError();
}

}  // namespace

bool ensureWindowClass(const WNDCLASSEXW& windowClass) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing)) return true;
  return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

WindowHandle Win32Windowing::createHiddenWindow(const std::string& className,
                                                const std::string& title,
                                                MessageHandler& handler) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring wideClass = toWide(className);
  ensureClassRegistered(instance, wideClass);
  // Top-level and never shown: a message-only window would miss broadcasts.
  HWND window = CreateWindowExW(0, wideClass.c_str(), toWide(title).c_str(), WS_POPUP, 0, 0, 0,
                                0, nullptr, nullptr, instance, &handler);
  if (!window) throwLastError();
  return fromHwnd(window);
}

void Win32Windowing::destroyWindow(WindowHandle window) { DestroyWindow(toHwnd(window)); }

LResult Win32Windowing::defaultWindowProc(WindowHandle window, std::uint32_t message,
                                          WParam wParam, LParam lParam) {
  return DefWindowProcW(toHwnd(window), message, wParam, lParam);
}

std::uint32_t Win32Windowing::registerWindowMessage(const std::string& name) {
  return RegisterWindowMessageW(toWide(name).c_str());
}

WindowHandle Win32Windowing::findTopLevelWindow(const std::string& title) {
  return fromHwnd(FindWindowW(nullptr, toWide(title).c_str()));
}

WindowHandle Win32Windowing::ownerOf(WindowHandle window) {
  return fromHwnd(GetWindow(toHwnd(window), GW_OWNER));
}

bool Win32Windowing::isIconic(WindowHandle window) { return IsIconic(toHwnd(window)) != 0; }

void Win32Windowing::openIcon(WindowHandle window) { OpenIcon(toHwnd(window)); }

void Win32Windowing::setForegroundWindow(WindowHandle window) {
  SetForegroundWindow(toHwnd(window));
}

void Win32Windowing::hideWindow(WindowHandle window) { ShowWindow(toHwnd(window), SW_HIDE); }

void Win32Windowing::setWindowText(WindowHandle window, const std::string& text) {
  SetWindowTextW(toHwnd(window), toWide(text).c_str());
}

bool Win32Windowing::postMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                 LParam lParam) {
  return PostMessageW(toHwnd(window), message, wParam, lParam) != 0;
}

LResult Win32Windowing::sendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                    LParam lParam) {
  return SendMessageW(toHwnd(window), message, wParam, lParam);
}

std::optional<LResult> Win32Windowing::sendMessageTimeout(WindowHandle window,
                                                          std::uint32_t message, WParam wParam,
                                                          LParam lParam, std::uint32_t timeoutMs) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(toHwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                           &result))
    return std::nullopt;
  return static_cast<LResult>(result);
}

WindowHandle Win32Windowing::foregroundWindow() { return fromHwnd(GetForegroundWindow()); }

WindowHandle Win32Windowing::windowFromPoint(Point point) {
  return fromHwnd(WindowFromPoint(POINT{point.x, point.y}));
}

WindowHandle Win32Windowing::parentOf(WindowHandle window) {
  return fromHwnd(GetParent(toHwnd(window)));
}

std::optional<Rect> Win32Windowing::windowRect(WindowHandle window) {
  RECT rect{};
  if (!GetWindowRect(toHwnd(window), &rect)) return std::nullopt;
  return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

std::optional<Rect> Win32Windowing::visibleFrame(WindowHandle window) {
  RECT rect{};
  if (FAILED(DwmGetWindowAttribute(toHwnd(window), DWMWA_EXTENDED_FRAME_BOUNDS, &rect,
                                   sizeof rect)) ||
      rect.right <= rect.left || rect.bottom <= rect.top)
    return std::nullopt;
  return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

void Win32Windowing::runMessageLoop() {
  MSG message{};
  // GetMessage returns -1 on an invalid call; looping on it would spin forever.
  while (!quitRequested_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (forms_ && forms_->handleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // Ended by the flag, the loop has not taken WM_QUIT: left queued, it would close at once
  // every message box of the shutdown (a refused settings write at exit).
  while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  quitRequested_ = false;
}

bool Win32Windowing::handlePendingMessages() {
  MSG message{};
  while (!quitRequested_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (forms_ && forms_->handleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return !quitRequested_;
}

void Win32Windowing::quitMessageLoop() {
  // A nested modal loop (an open popup menu under Wine) can swallow WM_QUIT; the flag ends the
  // main loop at its next message all the same, and the open menu is closed so that one comes.
  quitRequested_ = true;
  EndMenu();
  PostQuitMessage(0);
}

}  // namespace vireloc
