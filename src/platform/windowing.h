// Windows and messages: hidden windows, window search and activation, the message loop.
#pragma once
#include <optional>
#include <string>

#include "platform/message_handler.h"

namespace vireloc {

class Windowing {
 public:
  virtual ~Windowing() = default;

  // A top-level window that is never shown; its messages go to handler. Top-level (not
  // message-only) so that broadcasts such as "TaskbarCreated" and end-of-session reach it.
  virtual WindowHandle createHiddenWindow(const std::string& className, const std::string& title,
                                          MessageHandler& handler) = 0;
  virtual void destroyWindow(WindowHandle window) = 0;
  // DefWindowProc.
  virtual LResult defaultWindowProc(WindowHandle window, std::uint32_t message, WParam wParam,
                                    LParam lParam) = 0;
  // RegisterWindowMessage: the same number for the same name in every process.
  virtual std::uint32_t registerWindowMessage(const std::string& name) = 0;
  // FindWindow with no class: a top-level window whose title is exactly title, or 0.
  virtual WindowHandle findTopLevelWindow(const std::string& title) = 0;
  // GetWindow(window, GW_OWNER).
  virtual WindowHandle ownerOf(WindowHandle window) = 0;
  virtual bool isIconic(WindowHandle window) = 0;
  virtual void openIcon(WindowHandle window) = 0;
  virtual void setForegroundWindow(WindowHandle window) = 0;
  // ShowWindow(window, SW_HIDE).
  virtual void hideWindow(WindowHandle window) = 0;
  virtual void setWindowText(WindowHandle window, const std::string& text) = 0;
  virtual bool postMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                           LParam lParam) = 0;
  // SendMessage: handled before it returns, also by another program's window.
  virtual LResult sendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                              LParam lParam) = 0;
  // SendMessageTimeout with SMTO_ABORTIFHUNG: the answer, or nothing when the window is gone
  // or did not answer within timeoutMs (at once when its thread counts as hung).
  virtual std::optional<LResult> sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                                    WParam wParam, LParam lParam,
                                                    std::uint32_t timeoutMs) = 0;

  // GetForegroundWindow, WindowFromPoint, GetParent, GetWindowRect (capture).
  virtual WindowHandle foregroundWindow() = 0;
  virtual WindowHandle windowFromPoint(Point point) = 0;
  virtual WindowHandle parentOf(WindowHandle window) = 0;
  virtual std::optional<Rect> windowRect(WindowHandle window) = 0;
  // DwmGetWindowAttribute(DWMWA_EXTENDED_FRAME_BOUNDS): the frame as drawn, without the
  // invisible resize borders Windows 10 counts in the window's rectangle; nothing where the
  // desktop composition does not answer (Windows 7 unthemed, Wine).
  virtual std::optional<Rect> visibleFrame(WindowHandle window) = 0;

  // Runs the message loop until quitMessageLoop is called, and takes the quit message with it:
  // a message box shown after the loop stays until the user answers it.
  virtual void runMessageLoop() = 0;
  // PostQuitMessage: the loop ends once the current message has been handled. Until then the
  // quit message is queued, and a message box opened meanwhile closes at once.
  virtual void quitMessageLoop() = 0;
};

}  // namespace vireloc
