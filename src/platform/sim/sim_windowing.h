// Windows and messages of the simulated desktop; the windows themselves live in the world.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/sim/sim_world.h"
#include "platform/windowing.h"

namespace vireloc::sim {

// A message sent to another program's window.
struct ForeignMessage {
  WindowHandle window;
  std::uint32_t message;
  WParam wParam;
  LParam lParam;
};

class SimWindowing : public Windowing {
 public:
  explicit SimWindowing(SimWorld& world) : world_(world) {}

  WindowHandle createHiddenWindow(const std::string& className, const std::string& title,
                                  MessageHandler& handler) override;
  void destroyWindow(WindowHandle window) override;
  LResult defaultWindowProc(WindowHandle, std::uint32_t, WParam, LParam) override;
  std::uint32_t registerWindowMessage(const std::string& name) override;
  WindowHandle findTopLevelWindow(const std::string& title) override;
  WindowHandle ownerOf(WindowHandle window) override;
  bool isIconic(WindowHandle window) override;
  void openIcon(WindowHandle window) override;
  void setForegroundWindow(WindowHandle window) override;
  void hideWindow(WindowHandle window) override;
  void setWindowText(WindowHandle window, const std::string& text) override;
  bool postMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;
  LResult sendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                      LParam lParam) override;
  std::optional<LResult> sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                            WParam wParam, LParam lParam,
                                            std::uint32_t timeoutMs) override;
  WindowHandle foregroundWindow() override { return world_.foreground; }
  WindowHandle windowFromPoint(Point point) override;
  WindowHandle parentOf(WindowHandle window) override;
  std::optional<Rect> windowRect(WindowHandle window) override;
  std::optional<Rect> visibleFrame(WindowHandle window) override;
  void runMessageLoop() override { world_.runQueue(); }
  void quitMessageLoop() override { world_.postQuit(); }

  // ==== Test side
  std::vector<WindowHandle> foregroundRequests;
  std::vector<ForeignMessage> foreignMessages;  // sent to windows of other programs, answered
  // Plain sends to a window that does not answer: the program would wait there until it did.
  std::vector<ForeignMessage> blockedSends;
  // Sends with a time limit that such a window let run out.
  std::vector<ForeignMessage> timedOutSends;
  // Another program's top-level window.
  WindowHandle addForeignWindow(const std::string& className, const std::string& title,
                                WindowHandle owner = 0);
  // The user logs off: WM_QUERYENDSESSION, then WM_ENDSESSION(true), to every window.
  void endSession();
  void broadcast(std::uint32_t message, WParam wParam, LParam lParam);
  WindowHandle findWindowByClass(const std::string& className) const;

 private:
  SimWorld& world_;
  std::map<std::string, std::uint32_t> registeredMessages_;
};

}  // namespace vireloc::sim
